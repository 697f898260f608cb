#include "TfmColumnsRen.h"

#include "ListController.h"
#include "SaveCancelButtons.h"
#include "ShellState.h"
#include "TextRegistry.h"
#include "TzkReelkeep.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace reelkeep {
namespace {

enum TableColumn { tcName, tcType, tcPattern, tcLogicalValue, tcNamesWithDot, tcSecondNames };
constexpr const char* kColumnHeaderKeys[] = {"Columns-Name", "Columns-Type", "Columns-Pattern", "Columns-LogicalValue",
                                       "Columns-NamesWithDot", "Columns-SecondNames"};
constexpr const char* kTypeKeys[] = {"String", "Number", "Date"};

} // namespace

TfmColumnsRen::TfmColumnsRen(ListController& list, ShellState& shell, TextRegistry& texts, QWidget* parent)
    : QDialog(parent),
      m_list(list),
      m_shell(shell),
      m_edAutor(new QLineEdit),
      m_tabs(new QTabWidget),
      m_edName(new QLineEdit),
      m_cbType(new QComboBox),
      m_edPattern(new QLineEdit),
      m_edLogicalVal(new QLineEdit),
      m_cbNamesWithDot(new QCheckBox),
      m_cbSecondNames(new QCheckBox)
{
    setObjectName(QStringLiteral("fmColumnsRen"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    texts.bind(this, "Other", "ColumnsOptions", TextRegistry::Role::WindowTitle);
    m_edAutor->setObjectName(QStringLiteral("edAutor"));
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_edName->setObjectName(QStringLiteral("edName"));
    m_cbType->setObjectName(QStringLiteral("cbType"));
    m_edPattern->setObjectName(QStringLiteral("edPattern"));
    m_edLogicalVal->setObjectName(QStringLiteral("edLogicalVal"));
    m_cbNamesWithDot->setObjectName(QStringLiteral("cbNamesWithDot"));
    m_cbSecondNames->setObjectName(QStringLiteral("cbSecondNames"));

    auto* autor = new QLabel;
    autor->setObjectName(QStringLiteral("lblAutor"));
    texts.bind(autor, "ListInfo", "Autor", TextRegistry::Role::Text);
    auto* top = new QHBoxLayout;
    top->addWidget(autor);
    top->addWidget(m_edAutor, 1);

    const TzkReelkeep& document = *list.document();
    m_edAutor->setText(document.Autor());
    for (int k = 0; k < document.ListCount(); ++k) {
        QTreeWidget* table = addTable(k);
        m_tabs->addTab(table, document.List(k)->Name);
        for (int h = 0; h < 6; ++h)
            texts.bindHeader(table, h, "ListInfo", kColumnHeaderKeys[h]);
    }
    for (const char* key : kTypeKeys)
        m_cbType->addItem(m_shell.text("Other", key));
    texts.bind(m_cbNamesWithDot, "ListInfo", "Columns-NamesWithDot", TextRegistry::Role::Text);
    texts.bind(m_cbSecondNames, "ListInfo", "Columns-SecondNames", TextRegistry::Role::Text);

    // Labels over the editors, so the person knows which cell each one writes.
    auto* editors = new QGridLayout;
    const std::pair<QWidget*, const char*> labelled[] = {
        {m_edName, "Columns-Name"}, {m_cbType, "Columns-Type"}, {m_edPattern, "Columns-Pattern"}, {m_edLogicalVal, "Columns-LogicalValue"}};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel;
        texts.bind(label, "ListInfo", labelled[i].second, TextRegistry::Role::Text);
        editors->addWidget(label, 0, i);
        editors->addWidget(labelled[i].first, 1, i);
    }
    editors->setColumnStretch(0, 2);
    editors->setColumnStretch(2, 2);
    editors->setColumnStretch(3, 2);
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_cbNamesWithDot);
    flags->addWidget(m_cbSecondNames);
    flags->addStretch(1);
    const auto [save, cancel] = MakeSaveCancelButtons(texts);
    flags->addWidget(save);
    flags->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(editors);
    layout->addLayout(flags);
    resize(760, 520);

    connect(m_tabs, &QTabWidget::currentChanged, this, &TfmColumnsRen::rowSelected);
    rowSelected();
    connect(m_edName, &QLineEdit::textEdited, this, [this](const QString& text) { setCell(tcName, text); });
    connect(m_edPattern, &QLineEdit::textEdited, this, [this](const QString& text) { setCell(tcPattern, text); });
    connect(m_edLogicalVal, &QLineEdit::textEdited, this, [this](const QString& text) { setCell(tcLogicalValue, text); });
    connect(m_cbType, &QComboBox::activated, this, [this] { setCell(tcType, m_cbType->currentText()); });
    connect(m_cbNamesWithDot, &QCheckBox::clicked, this, [this](bool on) { setCell(tcNamesWithDot, YesNoText(on)); });
    connect(m_cbSecondNames, &QCheckBox::clicked, this, [this](bool on) { setCell(tcSecondNames, YesNoText(on)); });
    connect(save, &QPushButton::clicked, this, &TfmColumnsRen::btnSaveClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QTreeWidget* TfmColumnsRen::addTable(int sheet)
{
    auto* table = new QTreeWidget;
    table->setObjectName(QStringLiteral("lvColumns%1").arg(sheet + 1));
    table->setColumnCount(6);
    table->setRootIsDecorated(false);
    table->setAllColumnsShowFocus(true);
    // Narrower than the old form's, so that all six columns fit the dialog.
    for (const auto& [column, width] : {std::pair{tcName, 180}, std::pair{tcType, 70}, std::pair{tcPattern, 140},
                                        std::pair{tcLogicalValue, 110}, std::pair{tcNamesWithDot, 110}})
        table->setColumnWidth(column, width);
    const TZKList& list = *m_list.document()->List(sheet);
    for (int c = 0; c < kStoredColumnCount; ++c) {
        const TzkColumn& column = list.Column(c);
        new QTreeWidgetItem(table, {column.Name, TypeName(column.Type), column.Pattern, column.LogicalValue,
                                    YesNoText(column.NamesWithDot), YesNoText(column.SecondNames)});
    }
    connect(table, &QTreeWidget::itemSelectionChanged, this, &TfmColumnsRen::rowSelected);
    m_tables.push_back(table);
    return table;
}

QString TfmColumnsRen::TypeName(int code) const
{
    return code >= 0 && code < 3 ? m_shell.text("Other", kTypeKeys[code]) : QString();
}

int TfmColumnsRen::TypeCode(const QString& text) const
{
    for (int code = 0; code < 3; ++code)
        if (text == TypeName(code))
            return code;
    return 0;
}

QString TfmColumnsRen::YesNoText(bool flag) const
{
    return m_shell.text("Other", flag ? "Yes" : "No");
}

bool TfmColumnsRen::IsYesText(const QString& text) const
{
    return text == YesNoText(true);
}

QTreeWidgetItem* TfmColumnsRen::selectedRow() const
{
    const auto* table = qobject_cast<QTreeWidget*>(m_tabs->currentWidget());
    const QList<QTreeWidgetItem*> selected = table ? table->selectedItems() : QList<QTreeWidgetItem*>();
    return selected.isEmpty() ? nullptr : selected.front();
}

void TfmColumnsRen::rowSelected()
{
    const QTreeWidgetItem* row = selectedRow();
    // Without a row the editors would write nowhere: they are emptied and closed.
    for (QWidget* editor : std::initializer_list<QWidget*>{m_edName, m_cbType, m_edPattern, m_edLogicalVal, m_cbNamesWithDot, m_cbSecondNames})
        editor->setEnabled(row);
    if (!row) {
        for (QLineEdit* edit : {m_edName, m_edPattern, m_edLogicalVal})
            edit->clear();
        m_cbType->setCurrentIndex(-1);
        m_cbNamesWithDot->setChecked(false);
        m_cbSecondNames->setChecked(false);
        return;
    }
    m_edName->setText(row->text(tcName));
    m_cbType->setCurrentIndex(m_cbType->findText(row->text(tcType), Qt::MatchExactly));
    m_edPattern->setText(row->text(tcPattern));
    m_edLogicalVal->setText(row->text(tcLogicalValue));
    m_cbNamesWithDot->setChecked(IsYesText(row->text(tcNamesWithDot)));
    m_cbSecondNames->setChecked(IsYesText(row->text(tcSecondNames)));
}

void TfmColumnsRen::setCell(int column, const QString& text)
{
    if (QTreeWidgetItem* row = selectedRow())
        row->setText(column, text);
}

void TfmColumnsRen::btnSaveClick()
{
    std::vector<ColumnDefinitions> sheets(m_tables.size());
    for (size_t k = 0; k < m_tables.size(); ++k)
        for (int c = 0; c < kStoredColumnCount; ++c) {
            const QTreeWidgetItem* row = m_tables[k]->topLevelItem(c);
            ColumnDefinition& definition = sheets[k][static_cast<size_t>(c)];
            definition.name = row->text(tcName);
            definition.type = static_cast<std::uint8_t>(TypeCode(row->text(tcType)));
            definition.pattern = row->text(tcPattern);
            definition.logicalValue = row->text(tcLogicalValue);
            definition.namesWithDot = IsYesText(row->text(tcNamesWithDot));
            definition.secondNames = IsYesText(row->text(tcSecondNames));
        }
    m_list.setColumnSettings(m_edAutor->text(), sheets);
    accept();
}

} // namespace reelkeep
