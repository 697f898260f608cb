#include "WebSearchBar.h"

#include "Prompts.h"
#include "RecordSelection.h"
#include "ShellState.h"
#include "TzkRow.h"

#include <QComboBox>
#include <QToolButton>
#include <QUrl>

namespace reelkeep {

WebSearchBar::WebSearchBar(QComboBox* sites, QToolButton* button, const RecordSelection& selection, const ShellState& shell,
                           Prompts& prompts, QObject* parent)
    : QObject(parent), m_sites(sites), m_button(button), m_selection(selection), m_shell(shell), m_prompts(prompts)
{
    connect(m_button, &QToolButton::clicked, this, &WebSearchBar::search);
}

void WebSearchBar::refillSites()
{
    m_sites->clear();
    const zkOptions& options = m_shell.options();
    for (int i = 0; i < options.SearchCount && i < options.SrchName.size(); ++i)
        m_sites->addItem(options.SrchName[i]);
    enable();
}

void WebSearchBar::enable()
{
    m_button->setEnabled(m_selection.currentRecord() && m_sites->count() > 0);
}

void WebSearchBar::search()
{
    const TzkRow* record = m_selection.currentRecord();
    const zkOptions& options = m_shell.options();
    const int site = m_sites->currentIndex();
    if (!record || site < 0 || site >= options.SrchURL.size())
        return;
    const QString& pattern = options.SrchURL[site];
    QString encoding = options.SrchEncoding.value(site, DefaultSearchEncoding(pattern));
    // A title the site's encoding cannot carry is never sent with question marks.
    if (const QString lost = TitleNotCarried(pattern, record->Fields[csTitle], record->Fields[csOrigTitle], encoding);
        !lost.isEmpty()) {
        if (m_prompts.ask({PromptIcon::Question, QString(), m_shell.text("WebSearch", "NotInEncoding").arg(lost, encoding),
                           {PromptButton::Yes, PromptButton::Cancel}})
            != PromptButton::Yes)
            return;
        encoding = kSearchEncodingUtf8;
    }
    const QByteArray address = SearchAddress(pattern, record->Fields[csTitle], record->Fields[csOrigTitle], encoding);
    const QUrl url = QUrl::fromEncoded(address, QUrl::StrictMode);
    const auto tell = [this](const char* key, const QByteArray& text) {
        m_prompts.ask({PromptIcon::Error, QString(), m_shell.text("WebSearch", key).arg(QString::fromLatin1(text)),
                       {PromptButton::Ok}});
    };
    if (!IsWebAddress(url))
        tell("NotWebAddress", address);
    else if (!m_openUrl(url))
        tell("OpenFailed", address);
}

} // namespace reelkeep
