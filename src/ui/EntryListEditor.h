// A list of two-text entries (a file and its name, a site and its address) with the
// two edits for a new entry, Add (which needs both texts) and Remove; optionally a
// third value chosen from a fixed list (a site's encoding).
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace reelkeep {

class TextRegistry;

struct EntryListNames {
    const char* list;
    const char* firstEdit;
    const char* secondEdit;
    const char* add;
    const char* remove;
    const char* firstKey;  // "Settings" keys of the column titles and edit labels
    const char* secondKey;
};

class EntryListEditor : public QWidget {
    Q_OBJECT
public:
    // firstExtra, when given, stands beside the first edit (a "..." button).
    EntryListEditor(const EntryListNames& names, TextRegistry& texts, QWidget* firstExtra = nullptr,
                    QWidget* parent = nullptr);

    // The first text as it is stored (a path made relative, for one).
    void setFirstTransform(std::function<QString(const QString&)> transform) { m_transform = std::move(transform); }
    // A third column chosen from choices, for a new entry (the first choice at first)
    // and for the selected one; its label and title are the "Settings" key.
    void addChoiceColumn(const char* name, const char* key, const QStringList& choices);
    // Replaces the entries and clears both edits; count limits the entries taken.
    void setEntries(const QStringList& first, const QStringList& second, int count, const QStringList& third = {});
    QStringList column(int column) const;
    QLineEdit* firstEdit() const { return m_first; }
    QPushButton* addButton() const { return m_add; }

private:
    void addEntry();
    void removeEntry();
    void rowSelected();

    QTreeWidget* m_list;
    QLineEdit* m_first;
    QLineEdit* m_second;
    QPushButton* m_add;
    QGridLayout* m_edits;
    TextRegistry& m_texts;
    QComboBox* m_choice = nullptr;
    std::function<QString(const QString&)> m_transform;
};

} // namespace reelkeep
