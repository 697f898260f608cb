#include "OptionsMainPage.h"

#include "FileAssociation.h"
#include "HotKeyEdit.h"
#include "IniFile.h"
#include "LongWorkPool.h"
#include "Prompts.h"
#include "ShellState.h"
#include "TextRegistry.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <map>

namespace reelkeep {
namespace {

const QString kPrint = QStringLiteral("print");
const QString kColumns = QStringLiteral("columns");
const QString kColumnsWidth = QStringLiteral("columnswidth");

QTreeWidget* optionsList(int columns)
{
    auto* list = new QTreeWidget;
    list->setColumnCount(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    return list;
}

QLineEdit* separatorEdit()
{
    auto* edit = new QLineEdit;
    edit->setFixedWidth(33);
    return edit;
}

QLabel* label(TextRegistry& texts, const char* section, const char* key)
{
    auto* text = new QLabel;
    texts.bind(text, section, key, TextRegistry::Role::Text);
    return text;
}

// Comma-separated whole numbers, as list printing reads them.
bool isNumberList(const QString& text)
{
    static const QRegularExpression numbers(QStringLiteral("^\\s*\\d+\\s*(,\\s*\\d+\\s*)*$"));
    return numbers.match(text).hasMatch();
}

QKeySequence sequenceOf(const QString& text)
{
    const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    return sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown ? QKeySequence() : sequence;
}

} // namespace

OptionsMainPage::OptionsMainPage(ShellState& shell, Prompts& prompts, TextRegistry& texts, QWidget* parent)
    : OptionsPage(parent),
      m_shell(shell),
      m_prompts(prompts),
      m_edONBegin(separatorEdit()),
      m_edONEnd(separatorEdit()),
      m_edPBegin(separatorEdit()),
      m_edPEnd(separatorEdit()),
      m_lvShabl(optionsList(3)),
      m_edShabl(new QLineEdit),
      m_edColNum(new QLineEdit),
      m_edColWidth(new QLineEdit),
      m_edCoverFileName(new QLineEdit),
      m_cbUseMDIPanel(new QCheckBox),
      m_lvShortCut(optionsList(2)),
      m_hkShortCut(new HotKeyEdit)
{
    setObjectName(QStringLiteral("TabSheet1"));
    m_edONBegin->setObjectName(QStringLiteral("edONBegin"));
    m_edONEnd->setObjectName(QStringLiteral("edONEnd"));
    m_edPBegin->setObjectName(QStringLiteral("edPBegin"));
    m_edPEnd->setObjectName(QStringLiteral("edPEnd"));
    m_lvShabl->setObjectName(QStringLiteral("lvShabl"));
    m_edShabl->setObjectName(QStringLiteral("edShabl"));
    m_edColNum->setObjectName(QStringLiteral("edColNum"));
    m_edColWidth->setObjectName(QStringLiteral("edColWidth"));
    m_edCoverFileName->setObjectName(QStringLiteral("edCoverFileName"));
    m_cbUseMDIPanel->setObjectName(QStringLiteral("cbUseMDIPanel"));
    m_lvShortCut->setObjectName(QStringLiteral("lvShortCut"));
    m_hkShortCut->setObjectName(QStringLiteral("hkShortCut"));

    auto* parser = new QGroupBox;
    parser->setObjectName(QStringLiteral("gbFileNameParser"));
    texts.bind(parser, "Settings", "FileNameParser", TextRegistry::Role::Text);
    auto* parserLayout = new QGridLayout(parser);
    parserLayout->addWidget(m_edONBegin, 0, 0);
    parserLayout->addWidget(label(texts, "Settings", "OriginalName"), 0, 1, Qt::AlignCenter);
    parserLayout->addWidget(m_edONEnd, 0, 2);
    parserLayout->addWidget(m_edPBegin, 1, 0);
    parserLayout->addWidget(label(texts, "Settings", "NumberTotalNumbers"), 1, 1, Qt::AlignCenter);
    parserLayout->addWidget(m_edPEnd, 1, 2);
    parserLayout->setColumnStretch(1, 1);

    texts.bindHeader(m_lvShabl, 0, "Settings", "Column");
    texts.bindHeader(m_lvShabl, 1, "Settings", "Pattern");
    texts.bindHeader(m_lvShabl, 2, "Settings", "Type");
    m_lvShabl->setColumnWidth(0, 110);
    m_lvShabl->setColumnWidth(1, 130);

    auto* print = new QGroupBox;
    print->setObjectName(QStringLiteral("gbPrint"));
    texts.bind(print, "Settings", "Print", TextRegistry::Role::Text);
    auto* printLayout = new QGridLayout(print);
    printLayout->addWidget(label(texts, "Settings", "ColumnsNumbersToPrint"), 0, 0);
    printLayout->addWidget(m_edColNum, 0, 1);
    printLayout->addWidget(label(texts, "Settings", "ColumnsWidthToPrint"), 1, 0);
    printLayout->addWidget(m_edColWidth, 1, 1);

    auto* selectFile = new QPushButton(QStringLiteral("..."));
    selectFile->setObjectName(QStringLiteral("btnSelectFile"));
    selectFile->setFixedWidth(30);
    auto* cover = new QHBoxLayout;
    cover->addWidget(m_edCoverFileName, 1);
    cover->addWidget(selectFile);
    texts.bind(m_cbUseMDIPanel, "Settings", "UseMDIPanel", TextRegistry::Role::Text);
    texts.bindHeader(m_lvShortCut, 0, "Settings", "Menu");
    texts.bindHeader(m_lvShortCut, 1, "Settings", "ShortCut");
    m_lvShortCut->setColumnWidth(0, 170);
    m_associate = new QPushButton;
    m_associate->setObjectName(QStringLiteral("btnAssoc"));
    texts.bind(m_associate, "Settings", "Associate", TextRegistry::Role::Text);

    auto* left = new QVBoxLayout;
    left->addWidget(parser);
    left->addWidget(m_lvShabl, 1);
    left->addWidget(m_edShabl);
    auto* right = new QVBoxLayout;
    right->addWidget(print);
    right->addWidget(label(texts, "Settings", "DefaultCoverFile"));
    right->addLayout(cover);
    right->addWidget(m_cbUseMDIPanel);
    right->addWidget(m_lvShortCut, 1);
    right->addWidget(m_hkShortCut);
    right->addWidget(m_associate);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    connect(m_lvShabl, &QTreeWidget::itemSelectionChanged, this, &OptionsMainPage::showSelectedPattern);
    connect(m_edShabl, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (QTreeWidgetItem* row = m_lvShabl->currentItem())
            row->setText(1, text);
    });
    connect(m_lvShortCut, &QTreeWidget::itemSelectionChanged, this, &OptionsMainPage::showSelectedShortcut);
    connect(m_hkShortCut, &HotKeyEdit::shortcutEdited, this, [this](const QKeySequence& sequence) {
        if (QTreeWidgetItem* row = m_lvShortCut->currentItem())
            row->setText(1, sequence.toString(QKeySequence::PortableText));
    });
    connect(selectFile, &QPushButton::clicked, this, &OptionsMainPage::chooseCoverFile);
    connect(m_associate, &QPushButton::clicked, this, &OptionsMainPage::startAssociation);
    connect(&m_association, &QFutureWatcherBase::finished, this, &OptionsMainPage::associationDone);
}

void OptionsMainPage::load(const zkOptions& options)
{
    m_lvShabl->clear();
    m_lvShortCut->clear();
    m_edShabl->clear();
    m_hkShortCut->setKeySequence(QKeySequence());
    m_edONBegin->setText(options.OrigNameSepBegin);
    m_edONEnd->setText(options.OrigNameSepEnd);
    m_edPBegin->setText(options.PartSepBegin);
    m_edPEnd->setText(options.PartSepEnd);
    m_cbUseMDIPanel->setChecked(options.UseMDIPanel);
    const IniFile ini(m_shell.settingsPath());
    m_edColNum->setText(ini.ReadString(kPrint, kColumns, QStringLiteral("2,5,8,13,12")));
    m_edColWidth->setText(ini.ReadString(kPrint, kColumnsWidth, QStringLiteral("80,4,30,10,10")));
    m_edCoverFileName->setText(options.CoverFile);
    const QString filter = m_shell.text("MainMenu", "Filter") + QLatin1Char(' ');
    for (size_t i = 1; i < kStoredColumnCount; ++i) {
        new QTreeWidgetItem(m_lvShortCut, {filter + options.ColName[i], options.ColShortCut[i]});
        new QTreeWidgetItem(m_lvShabl, {options.ColName[i], options.ColPattern[i],
                                        QString::number(BuiltInColumnDefinitions()[i].type)});
    }
    for (const auto& [key, text] : {std::pair{"Save", options.ShortCutSave}, std::pair{"SaveAs", options.ShortCutSaveAs},
                                    std::pair{"Open", options.ShortCutOpen}, std::pair{"New", options.ShortCutNew}})
        new QTreeWidgetItem(m_lvShortCut, {m_shell.text("MainMenu", key), text});
}

QString OptionsMainPage::problem() const
{
    for (const QLineEdit* edit : {m_edColNum, m_edColWidth})
        if (!isNumberList(edit->text()))
            return m_shell.text("Options", "BadPrintColumns").arg(edit->text());
    return {};
}

void OptionsMainPage::apply(zkOptions& options) const
{
    options.OrigNameSepBegin = m_edONBegin->text();
    options.OrigNameSepEnd = m_edONEnd->text();
    options.PartSepBegin = m_edPBegin->text();
    options.PartSepEnd = m_edPEnd->text();
    options.UseMDIPanel = m_cbUseMDIPanel->isChecked();
    for (int i = 1; i < kStoredColumnCount; ++i) {
        options.ColShortCut[static_cast<size_t>(i)] = shortcutText(i - 1);
        options.ColPattern[static_cast<size_t>(i)] = m_lvShabl->topLevelItem(i - 1)->text(1);
    }
    options.CoverFile = m_edCoverFileName->text();
    options.ShortCutSave = shortcutText(20);
    options.ShortCutSaveAs = shortcutText(21);
    options.ShortCutOpen = shortcutText(22);
    options.ShortCutNew = shortcutText(23);
}

void OptionsMainPage::applyPrintColumns(IniFile& ini) const
{
    ini.Update([&] {
        ini.WriteString(kPrint, kColumns, m_edColNum->text().trimmed());
        ini.WriteString(kPrint, kColumnsWidth, m_edColWidth->text().trimmed());
    });
}

QStringList OptionsMainPage::sharedShortcuts() const
{
    std::map<QString, QStringList> commands;
    for (int row = 0; row < m_lvShortCut->topLevelItemCount(); ++row)
        if (const QKeySequence sequence = sequenceOf(shortcutText(row)); !sequence.isEmpty())
            commands[sequence.toString(QKeySequence::NativeText)] << m_lvShortCut->topLevelItem(row)->text(0);
    QStringList shared;
    for (const auto& [key, names] : commands)
        if (names.size() > 1)
            shared << key + QStringLiteral(": ") + names.join(QStringLiteral(", "));
    return shared;
}

QString OptionsMainPage::shortcutText(int row) const
{
    const QTreeWidgetItem* item = m_lvShortCut->topLevelItem(row);
    return item ? item->text(1) : QString();
}

void OptionsMainPage::showSelectedPattern()
{
    if (const QTreeWidgetItem* row = m_lvShabl->currentItem())
        m_edShabl->setText(row->text(1));
}

void OptionsMainPage::showSelectedShortcut()
{
    if (const QTreeWidgetItem* row = m_lvShortCut->currentItem())
        m_hkShortCut->setKeySequence(sequenceOf(row->text(1)));
}

void OptionsMainPage::chooseCoverFile()
{
    const QString path = m_prompts.chooseFileToOpen(m_shell.folder(), {QStringLiteral("*.cvr (*.cvr)")});
    if (!path.isEmpty())
        m_edCoverFileName->setText(m_shell.storedPath(path));
}

void OptionsMainPage::startAssociation()
{
    if (m_association.isRunning())
        return;
    m_associate->setEnabled(false);
    m_association.setFuture(QtConcurrent::run(&LongWorkPool(), AssociateFileTypes, QCoreApplication::applicationFilePath(), XdgHomes::FromEnvironment()));
}

void OptionsMainPage::associationDone()
{
    m_associate->setEnabled(true);
    const AssociationResult result = m_association.result();
    const TextLookup lookup = [this](const QString& section, const QString& key) {
        return m_shell.options().LanguageTable.GetValue(section, key);
    };
    m_prompts.ask({result.FailedStep == AssociationStep::None ? PromptIcon::Information : PromptIcon::Error, QString(),
                   DescribeAssociation(result, lookup), {PromptButton::Ok}});
}

} // namespace reelkeep
