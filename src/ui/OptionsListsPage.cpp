#include "OptionsListsPage.h"

#include "CatalogueForms.h"
#include "EntryListEditor.h"
#include "Prompts.h"
#include "ShellState.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace reelkeep {

OptionsListsPage::OptionsListsPage(ShellState& shell, Prompts& prompts, TextRegistry& texts, QWidget* parent)
    : OptionsPage(parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
    auto* choose = new QPushButton(QStringLiteral("..."));
    choose->setObjectName(QStringLiteral("SpeedButton1"));
    choose->setFixedWidth(30);
    choose->setAutoDefault(false);
    m_files = new EntryListEditor({"lvFiles", "edName", "edComm", "btnAddList", "btnRemoveList", "ListFile", "ListName"},
                                  texts, choose);
    m_files->setFirstTransform([&shell](const QString& path) { return shell.storedPath(path); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_files);
    connect(choose, &QPushButton::clicked, this, [this, &shell, &prompts] {
        const QString path = prompts.chooseFileToOpen(shell.folder(), {RecordListFilter(shell.text("Other", "ListFiles"))});
        if (!path.isEmpty())
            m_files->firstEdit()->setText(path);
    });
}

void OptionsListsPage::load(const zkOptions& options)
{
    m_files->setEntries(options.ListFileNames, options.ListComments, options.ListCount);
}

void OptionsListsPage::apply(zkOptions& options) const
{
    options.ListFileNames = m_files->column(0);
    options.ListComments = m_files->column(1);
    options.ListCount = static_cast<std::int32_t>(options.ListFileNames.size());
}

QPushButton* OptionsListsPage::defaultButton() const
{
    return m_files->addButton();
}

} // namespace reelkeep
