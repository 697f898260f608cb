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
    // Text: a label's, button's or group box's own text, a window's title for other widgets.
    // TabTitle: the title of the page's tab. Header: one column title of a tree or table.
    // Name: the hint of a control without a text of its own, which is also its name for a screen reader.
    enum class Role { Text, ToolTip, WindowTitle, Placeholder, TabTitle, Header, Name };

    // Binds the object's text of that role to section/key and sets it at once.
    void bind(QAction* action, const char* section, const char* key, Role role = Role::Text);
    void bind(QWidget* widget, const char* section, const char* key, Role role);
    // Binds the title of one column of a QTreeWidget or QTableWidget.
    void bindHeader(QWidget* view, int column, const char* section, const char* key);
    // Sets every bound text from the table; objects that are gone are dropped.
    void apply(const TzkLanguage& language);

    struct Binding {
        QPointer<QObject> object;
        QString section;
        QString key;
        Role role;
        int column = -1; // of a Header binding
    };
    const std::vector<Binding>& bindings() const { return m_bindings; }

private:
    void add(QObject* object, const char* section, const char* key, Role role, int column = -1);
    static void set(const Binding& binding, const QString& marked);

    std::vector<Binding> m_bindings;
    const TzkLanguage* m_language = nullptr;
};

} // namespace reelkeep
