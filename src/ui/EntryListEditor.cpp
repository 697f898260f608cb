#include "EntryListEditor.h"

#include "TextRegistry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace reelkeep {

EntryListEditor::EntryListEditor(const EntryListNames& names, TextRegistry& texts, QWidget* firstExtra, QWidget* parent)
    : QWidget(parent),
      m_list(new QTreeWidget),
      m_first(new QLineEdit),
      m_second(new QLineEdit),
      m_add(new QPushButton),
      m_edits(new QGridLayout),
      m_texts(texts)
{
    m_list->setObjectName(QString::fromLatin1(names.list));
    m_first->setObjectName(QString::fromLatin1(names.firstEdit));
    m_second->setObjectName(QString::fromLatin1(names.secondEdit));
    m_add->setObjectName(QString::fromLatin1(names.add));
    auto* remove = new QPushButton;
    remove->setObjectName(QString::fromLatin1(names.remove));
    m_list->setColumnCount(2);
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setColumnWidth(0, 200);
    texts.bindHeader(m_list, 0, "Settings", names.firstKey);
    texts.bindHeader(m_list, 1, "Settings", names.secondKey);
    texts.bind(m_add, "Settings", "Add", TextRegistry::Role::Text);
    texts.bind(remove, "Settings", "Remove", TextRegistry::Role::Text);
    m_add->setAutoDefault(false);
    remove->setAutoDefault(false);

    auto* firstLabel = new QLabel;
    auto* secondLabel = new QLabel;
    texts.bind(firstLabel, "Settings", names.firstKey, TextRegistry::Role::Text);
    texts.bind(secondLabel, "Settings", names.secondKey, TextRegistry::Role::Text);
    auto* first = new QHBoxLayout;
    first->addWidget(m_first, 1);
    if (firstExtra)
        first->addWidget(firstExtra);
    auto* edits = m_edits;
    edits->addWidget(firstLabel, 0, 0);
    edits->addLayout(first, 0, 1);
    edits->addWidget(m_add, 0, 2);
    edits->addWidget(secondLabel, 1, 0);
    edits->addWidget(m_second, 1, 1);
    edits->addWidget(remove, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(edits);

    connect(m_add, &QPushButton::clicked, this, &EntryListEditor::addEntry);
    connect(remove, &QPushButton::clicked, this, &EntryListEditor::removeEntry);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &EntryListEditor::rowSelected);
}

void EntryListEditor::addChoiceColumn(const char* name, const char* key, const QStringList& choices)
{
    m_choice = new QComboBox;
    m_choice->setObjectName(QString::fromLatin1(name));
    m_choice->addItems(choices);
    m_list->setColumnCount(3);
    m_texts.bindHeader(m_list, 2, "Settings", key);
    auto* label = new QLabel;
    m_texts.bind(label, "Settings", key, TextRegistry::Role::Text);
    label->setBuddy(m_choice);
    m_edits->addWidget(label, 2, 0);
    m_edits->addWidget(m_choice, 2, 1, Qt::AlignLeft);
    connect(m_choice, &QComboBox::activated, this, [this] {
        const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
        if (!selected.isEmpty())
            selected.front()->setText(2, m_choice->currentText());
    });
}

void EntryListEditor::setEntries(const QStringList& first, const QStringList& second, int count, const QStringList& third)
{
    m_list->clear();
    m_first->clear();
    m_second->clear();
    for (int i = 0; i < count && i < first.size() && i < second.size(); ++i)
        new QTreeWidgetItem(m_list, {first[i], second[i], third.value(i)});
    if (m_choice)
        m_choice->setCurrentIndex(0);
}

void EntryListEditor::rowSelected()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (m_choice && !selected.isEmpty())
        m_choice->setCurrentText(selected.front()->text(2));
}

QStringList EntryListEditor::column(int column) const
{
    QStringList texts;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        texts << m_list->topLevelItem(row)->text(column);
    return texts;
}

void EntryListEditor::addEntry()
{
    if (m_first->text().isEmpty() || m_second->text().isEmpty())
        return;
    const QString first = m_transform ? m_transform(m_first->text()) : m_first->text();
    new QTreeWidgetItem(m_list, {first, m_second->text(), m_choice ? m_choice->currentText() : QString()});
    m_first->clear();
    m_second->clear();
    if (m_choice)
        m_choice->setCurrentIndex(0);
    m_first->setFocus();
}

void EntryListEditor::removeEntry()
{
    // Only a row the person picked: the current row alone may be a leftover.
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        delete selected.front();
}

} // namespace reelkeep
