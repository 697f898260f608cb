#include "OptionsAdditionalPage.h"

#include "Prompts.h"
#include "ShellState.h"
#include "TextRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace reelkeep {
namespace {
// Left built in: the person may have no language file to take it from.
const char* const kNoLanguageFile = "Language file not found";
} // namespace

OptionsAdditionalPage::OptionsAdditionalPage(ShellState& shell, Prompts& prompts, TextRegistry& texts, QWidget* parent)
    : OptionsPage(parent),
      m_shell(shell),
      m_prompts(prompts),
      m_edCustomString(new QLineEdit),
      m_cbLanguage(new QComboBox),
      m_cbFrameForNewRecords(new QCheckBox)
{
    setObjectName(QStringLiteral("TabSheet4"));
    m_edCustomString->setObjectName(QStringLiteral("edCustomString"));
    m_cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    auto* status = new QLabel;
    auto* language = new QLabel;
    texts.bind(status, "Other", "CustomStatusString", TextRegistry::Role::Text);
    texts.bind(language, "Settings", "Language", TextRegistry::Role::Text);
    auto* layout = new QFormLayout(this);
    layout->addRow(status, m_edCustomString);
    layout->addRow(language, m_cbLanguage);
    m_cbFrameForNewRecords->setObjectName(QStringLiteral("cbFrameForNewRecords"));
    texts.bind(m_cbFrameForNewRecords, "Settings", "FrameForNewRecords", TextRegistry::Role::Text);
    layout->addRow(m_cbFrameForNewRecords);
}

void OptionsAdditionalPage::load(const zkOptions& options)
{
    m_edCustomString->setText(options.StatusStat);
    FillLanguageList(options.DefLanguageFile);
    m_cbFrameForNewRecords->setChecked(options.FrameForNewRecords);
}

void OptionsAdditionalPage::FillLanguageList(const QString& configured)
{
    m_cbLanguage->clear();
    m_cbLanguage->addItems(QDir(m_shell.folder()).entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name));
    m_cbLanguage->setCurrentIndex(std::max(0, m_cbLanguage->findText(configured, Qt::MatchExactly)));
    if (m_cbLanguage->count() == 0)
        m_prompts.ask({PromptIcon::Error, QString(), QString::fromLatin1(kNoLanguageFile), {PromptButton::Ok}});
}

QString OptionsAdditionalPage::problem() const
{
    return language().isEmpty() ? QString::fromLatin1(kNoLanguageFile) : QString();
}

void OptionsAdditionalPage::apply(zkOptions& options) const
{
    options.StatusStat = m_edCustomString->text();
    options.DefLanguageFile = language();
    options.FrameForNewRecords = m_cbFrameForNewRecords->isChecked();
}

QString OptionsAdditionalPage::language() const
{
    return m_cbLanguage->currentText();
}

} // namespace reelkeep
