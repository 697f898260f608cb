#include "TfmOpt.h"

#include "IniFile.h"
#include "OptionsAdditionalPage.h"
#include "OptionsListsPage.h"
#include "OptionsMainPage.h"
#include "OptionsSearchPage.h"
#include "Prompts.h"
#include "ReelkeepError.h"
#include "SaveCancelButtons.h"
#include "ShellState.h"
#include "TextRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace reelkeep {

TfmOpt::TfmOpt(ShellState& shell, Prompts& prompts, TextRegistry& texts, std::function<void()> reload, QWidget* parent)
    : QDialog(parent),
      m_shell(shell),
      m_prompts(prompts),
      m_reload(std::move(reload)),
      m_pages(new QTabWidget),
      m_main(new OptionsMainPage(shell, prompts, texts)),
      m_lists(new OptionsListsPage(shell, prompts, texts)),
      m_search(new OptionsSearchPage(texts)),
      m_additional(new OptionsAdditionalPage(shell, prompts, texts))
{
    setObjectName(QStringLiteral("fmOpt"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    texts.bind(this, "MainMenu", "Settings", TextRegistry::Role::WindowTitle);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    const std::pair<OptionsPage*, const char*> pages[] = {
        {m_main, "PageMainSetting"}, {m_lists, "PageLists"}, {m_search, "PageSearch"}, {m_additional, "PageAdditional"}};
    for (const auto& [page, key] : pages) {
        m_pages->addTab(page, QString());
        texts.bind(page, "Settings", key, TextRegistry::Role::TabTitle);
    }
    const auto [save, cancel] = MakeSaveCancelButtons(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    setFixedSize(760, 520);
    // Enter saves, or presses the page's own default button: no other button of a page
    // takes Enter over by being the first one the dialog finds.
    for (QPushButton* button : m_pages->findChildren<QPushButton*>())
        button->setAutoDefault(false);
    m_save = save;

    connect(save, &QPushButton::clicked, this, &TfmOpt::btnSaveClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pages, &QTabWidget::currentChanged, this, &TfmOpt::pageShown);
}

void TfmOpt::ShowOptions()
{
    for (OptionsPage* page : {static_cast<OptionsPage*>(m_main), static_cast<OptionsPage*>(m_lists),
                              static_cast<OptionsPage*>(m_search), static_cast<OptionsPage*>(m_additional)})
        page->load(m_shell.options());
    pageShown(m_pages->currentIndex());
    open();
}

void TfmOpt::pageShown(int index)
{
    bool pageHasDefault = false;
    for (int i = 0; i < m_pages->count(); ++i)
        if (QPushButton* button = static_cast<OptionsPage*>(m_pages->widget(i))->defaultButton()) {
            button->setDefault(i == index);
            pageHasDefault = pageHasDefault || i == index;
        }
    m_save->setDefault(!pageHasDefault);
}

bool TfmOpt::btnSaveClick()
{
    if (!saveSettings())
        return false;
    m_reload();
    accept();
    return true;
}

bool TfmOpt::saveSettings()
{
    const auto fail = [this](const QString& text) {
        m_prompts.ask({PromptIcon::Error, QString(), text, {PromptButton::Ok}});
        return false;
    };
    const OptionsPage* const pages[] = {m_main, m_lists, m_search, m_additional};
    for (int i = 0; i < m_pages->count(); ++i)
        if (const QString problem = pages[i]->problem(); !problem.isEmpty()) {
            m_pages->setCurrentIndex(i);
            return fail(problem);
        }
    if (const QStringList shared = m_main->sharedShortcuts(); !shared.isEmpty()
        && m_prompts.ask({PromptIcon::Warning, QString(),
                          m_shell.text("Options", "SharedShortcut").arg(shared.join(QStringLiteral("; "))),
                          {PromptButton::Ok, PromptButton::Cancel}})
            != PromptButton::Ok)
        return false;
    // Settings that would not reach the file are refused here, not lost after the reload.
    const QString path = m_shell.settingsPath();
    const QFileInfo file(path);
    if (!file.isFile() || !file.isWritable() || IniFile::IsMarkedReadOnly(path))
        return fail(m_shell.text("Shell", "SettingsNotSaved")
                        .arg(m_shell.text("Options", "SettingsReadOnly").arg(QDir::toNativeSeparators(path))));
    zkOptions edited = m_shell.options();
    for (const OptionsPage* page : pages)
        page->apply(edited);
    try {
        edited.LanguageTable.LoadFromFile(QDir(m_shell.folder()).filePath(edited.DefLanguageFile));
    } catch (const ReelkeepError& error) {
        return fail(m_shell.text("Options", "LanguageFailed").arg(edited.DefLanguageFile, m_shell.render(error.text())));
    }
    try {
        IniFile ini(path);
        m_main->applyPrintColumns(ini);
        edited.SaveSettings(path);
    } catch (const ReelkeepError& error) {
        return fail(m_shell.text("Shell", "SettingsNotSaved").arg(m_shell.render(error.text())));
    }
    return true;
}

} // namespace reelkeep
