// The cover layouts a person may print with from the preview: the *.cvr files of the
// program folder, the one the settings name and the bare outline. The choice serves
// this print only; the setting stays as it is.
#pragma once

#include "CoverPrinting.h"

#include <QByteArray>
#include <QString>
#include <functional>

class QComboBox;
class QPrinter;

namespace reelkeep {

class ShellState;

class CoverLayoutChoice {
public:
    // settings.CoverFile is the layout chosen at first and follows the choice.
    CoverLayoutChoice(const ShellState& shell, CoverPrintSettings& settings);

    // A new selector of the layouts, its current entry the chosen one; choosing calls changed.
    QComboBox* makeSelector(const std::function<void()>& changed);
    // Reads the layout file (empty: the bare outline); a file that cannot be used is kept with its reason.
    void choose(const QString& file);
    bool usable() const { return m_error.isEmpty(); }

    // Turns the page when the cover fits on it only the other way round.
    void turnPageToFit(QPrinter& printer) const;
    // What the preview says about the chosen layout on the printer's page; empty when all is well.
    QString notice(const QPrinter& printer) const;

private:
    const ShellState& m_shell;
    CoverPrintSettings& m_settings;
    QByteArray m_layout;
    QString m_error;
};

} // namespace reelkeep
