#include "TextRegistry.h"

#include "TzkLanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QWidget>
#include <algorithm>

namespace reelkeep {

void TextRegistry::bind(QAction* action, const char* section, const char* key, Role role)
{
    add(action, section, key, role);
}

void TextRegistry::bind(QWidget* widget, const char* section, const char* key, Role role)
{
    add(widget, section, key, role);
}

void TextRegistry::bindHeader(QWidget* view, int column, const char* section, const char* key)
{
    add(view, section, key, Role::Header, column);
}

void TextRegistry::add(QObject* object, const char* section, const char* key, Role role, int column)
{
    m_bindings.push_back({object, QString::fromLatin1(section), QString::fromLatin1(key), role, column});
    if (m_language)
        set(m_bindings.back(), m_language->GetValue(m_bindings.back().section, m_bindings.back().key));
}

void TextRegistry::apply(const TzkLanguage& language)
{
    m_language = &language;
    std::erase_if(m_bindings, [](const Binding& binding) { return binding.object.isNull(); });
    for (const Binding& binding : m_bindings)
        set(binding, language.GetValue(binding.section, binding.key));
}

void TextRegistry::set(const Binding& binding, const QString& marked)
{
    // Menu items, buttons, group boxes, tabs and labels tied to an edit show the mnemonic; nothing else does.
    const QString text = WithoutMnemonic(marked);
    QObject* object = binding.object.data();
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (binding.role == Role::ToolTip)
            action->setToolTip(text);
        else
            action->setText(marked);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    switch (binding.role) {
    case Role::Text:
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(label->buddy() ? marked : text);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setText(marked);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            group->setTitle(marked);
        else
            widget->setWindowTitle(text);
        break;
    case Role::TabTitle:
        for (QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(parent); tabs && tabs->indexOf(widget) >= 0) {
                tabs->setTabText(tabs->indexOf(widget), marked);
                break;
            }
        break;
    case Role::Header:
        if (auto* tree = qobject_cast<QTreeWidget*>(widget))
            tree->headerItem()->setText(binding.column, text);
        else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
            if (!table->horizontalHeaderItem(binding.column))
                table->setHorizontalHeaderItem(binding.column, new QTableWidgetItem);
            table->horizontalHeaderItem(binding.column)->setText(text);
        }
        break;
    case Role::WindowTitle:
        widget->setWindowTitle(text);
        break;
    case Role::ToolTip:
        widget->setToolTip(text);
        break;
    case Role::Name:
        widget->setToolTip(text);
        widget->setAccessibleName(text);
        break;
    case Role::Placeholder:
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
            combo->lineEdit()->setPlaceholderText(text);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setPlaceholderText(text);
        break;
    }
}

} // namespace reelkeep
