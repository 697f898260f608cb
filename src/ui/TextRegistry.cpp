#include "TextRegistry.h"

#include "TzkLanguage.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
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

void TextRegistry::add(QObject* object, const char* section, const char* key, Role role)
{
    m_bindings.push_back({object, QString::fromLatin1(section), QString::fromLatin1(key), role});
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

void TextRegistry::set(const Binding& binding, const QString& text)
{
    QObject* object = binding.object.data();
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (binding.role == Role::ToolTip)
            action->setToolTip(text);
        else
            action->setText(text);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    switch (binding.role) {
    case Role::Text:
    case Role::WindowTitle:
        widget->setWindowTitle(text);
        break;
    case Role::ToolTip:
        widget->setToolTip(text);
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
