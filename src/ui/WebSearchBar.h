// The web search of a list window: the site chooser and its button on the tool bar open
// the chosen site's search for the current record's titles in the desktop's browser.
#pragma once

#include "WebSearch.h"

#include <QObject>

class QComboBox;
class QToolButton;

namespace reelkeep {

class Prompts;
class RecordSelection;
class ShellState;

class WebSearchBar : public QObject {
    Q_OBJECT
public:
    WebSearchBar(QComboBox* sites, QToolButton* button, const RecordSelection& selection, const ShellState& shell,
                 Prompts& prompts, QObject* parent);

    // The sites from the settings again.
    void refillSites();
    // The button works while there is a current record and a site.
    void enable();
    // Opens the chosen site for the current record.
    void search();
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

private:
    QComboBox* m_sites;
    QToolButton* m_button;
    const RecordSelection& m_selection;
    const ShellState& m_shell;
    Prompts& m_prompts;
    UrlOpener m_openUrl = DesktopUrlOpener();
};

} // namespace reelkeep
