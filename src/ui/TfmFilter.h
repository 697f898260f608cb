// The filter window of one column: a tool window over its list window with the
// filter text and the column's values. Picking a value or typing sets the column's
// filter; with the mode box unchecked, typing searches the values instead. In pick
// mode the same window hands double-clicked values to the record panel instead, and
// "+" adds a typed value to its list.
#pragma once

#include <QWidget>
#include <optional>

class QCheckBox;
class QLineEdit;
class QListView;
class QModelIndex;
class QStringListModel;
class QToolButton;

namespace reelkeep {

class TSimpleSyntaxAnalizer;
class TextRegistry;
class TZKList;

class TfmFilter : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Filter, Pick };

    // Parse flags tell whether a picked value is a part of its cells (then it is looked for inside them).
    // Without values the list stays empty until setValues gives them.
    TfmFilter(int column, const std::optional<QStringList>& values, bool partsOfCells, const TSimpleSyntaxAnalizer& normaliser,
              TextRegistry& texts, QWidget* owner, Mode mode = Mode::Filter);

    int column() const { return m_column; }
    QLineEdit* edit() const { return m_edit; }
    // The values in a plain string list under a list view: a column's tens of thousands
    // of values come and go at once, with no item object per value.
    QListView* values() const { return m_values; }
    QStringList valueTexts() const;
    // The value a search or "+" made current; empty when there is none.
    QString currentValue() const;
    QCheckBox* modeBox() const { return m_mode; }
    QToolButton* upDownButton() const { return m_upDown; }
    QToolButton* addButton() const { return m_add; }
    bool isExpanded() const { return m_expanded; }
    // The column's values, made on a worker while the window was already open for typing.
    void setValues(const QStringList& values);
    // The column's values, made on a worker from a copy of the list's cells (sorting a big
    // column's values takes a while) while the window already takes keys; values added
    // with "+" before they come are kept.
    void fillValues(const TZKList& list);
    bool hasValues() const { return m_hasValues; }

    // Shows a filter text that is already the column's, as if it had been typed.
    void SetFilterValue(const QString& text);
    // Makes the window active with the edit ready for typing.
    void takeFocus();
    // Closes the window without touching its filter: the program replaces or drops it.
    void closeQuietly();

signals:
    void maskChosen(int column, const QString& text);
    // A person closed the window; its column's filter is to go when the edit held text.
    void closedByUser(int column, bool hadText);
    // Pick mode: a value was double-clicked.
    void valuePicked(int column, const QString& value);
    void valuesShown();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Watches modal windows opening and closing anywhere in the program.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void valueClicked(const QModelIndex& index);
    void textEdited(const QString& text);
    void returnPressed();
    // The text typed since the last filtering becomes the column's filter.
    void chooseTypedMask();
    void selectValue(int start);
    void toggleExpanded();
    void addTypedValue();
    bool filtering() const;

    int m_column;
    Mode m_kind;
    bool m_partsOfCells;
    const TSimpleSyntaxAnalizer& m_normaliser;
    QLineEdit* m_edit;
    QCheckBox* m_mode;
    QToolButton* m_upDown;
    QToolButton* m_add;
    QListView* m_values;
    QStringListModel* m_valueModel;
    QStringList m_normalisedValues; // made when the values are first searched
    QString m_lastText;
    bool m_expanded = true;
    bool m_hasValues;
    bool m_maskDue = false;
    bool m_quiet = false;
    // Hidden while a modal window is open, to come back when it closes.
    bool m_hiddenForModal = false;
    void followModalWindows();
};

} // namespace reelkeep
