// Which widget or action shows which language-table text: every visible text of the
// shell is bound here once and set again whenever the language may have changed.
#pragma once

#include <QPointer>
#include <QString>
#include <vector>

class QAction;
class QWidget;

namespace reelkeep {

class TzkLanguage;

class TextRegistry {
public:
    enum class Role { Text, ToolTip, WindowTitle, Placeholder };

    // Binds the object's text of that role to section/key and sets it at once.
    void bind(QAction* action, const char* section, const char* key, Role role = Role::Text);
    void bind(QWidget* widget, const char* section, const char* key, Role role);
    // Sets every bound text from the table; objects that are gone are dropped.
    void apply(const TzkLanguage& language);

    struct Binding {
        QPointer<QObject> object;
        QString section;
        QString key;
        Role role;
    };
    const std::vector<Binding>& bindings() const { return m_bindings; }


private:
    void add(QObject* object, const char* section, const char* key, Role role);
    static void set(const Binding& binding, const QString& text);

    std::vector<Binding> m_bindings;
    const TzkLanguage* m_language = nullptr;
};

} // namespace reelkeep
