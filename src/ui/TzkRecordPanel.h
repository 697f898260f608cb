// The record panel above the grid: one control per column of the current sheet at
// the positions of the settings. It shows a record and reports what a person does;
// the list window turns that into controller calls. Filling it stores nothing.
#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>
#include <array>
#include <functional>

class QPlainTextEdit;

namespace reelkeep {

class TZKList;
class TzkBtnEdit;
class TzkImagePanel;
class TzkLabeledColorBox;
class TzkRow;
class zkOptions;

class TzkRecordPanel : public QWidget {
    Q_OBJECT
public:
    using Lookup = std::function<QString(const char* section, const char* key)>;
    // The settings, asked for at each use.
    using Settings = std::function<zkOptions&()>;

    TzkRecordPanel(Settings options, Lookup text, QWidget* parent = nullptr);

    // Captions and field buttons follow the sheet's columns.
    void setColumns(const TZKList* list);
    // Empties every control, then fills them from row and shows its first image;
    // disabled without a row.
    void showRecord(const TzkRow* row, const QList<QByteArray>& images = {});
    // Shows a text in a column's control without storing it.
    void showCell(int column, const QString& text);

    TzkBtnEdit* edit(int column) const; // columns 0..13 and 16..19
    QPlainTextEdit* memo(int column) const; // 14 and 15
    TzkLabeledColorBox* colourBox() const { return m_colour; }
    TzkImagePanel* imagePanel() const { return m_images; }
    // Focuses the edit or memo of a column.
    void focusColumn(int column);

signals:
    void cellEdited(int column, const QString& text);
    void colourPicked(const QString& cell);
    void fieldButton(int column);
    void clearField(int column);
    void autoFill(int column);
    // Ctrl+Up (-1) or Ctrl+Down (+1) in a control.
    void stepRecord(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kImageControl = 21;

    void placeControls();
    // The tab order of the fields in reading order of their places.
    void orderTabs();
    // How far the top of a control lies above its stored place: the label's height.
    int labelOffset() const;
    // A control dragged to topLeft: its stored place follows and the panel is laid out again.
    void storePosition(int index, QPoint topLeft);
    // The context menu of an edit or memo: the column's aids and the editing commands.
    void popupEditMenu(QWidget* control, int column, const QPoint& at);
    QPlainTextEdit* makeMemo(int column, const char* name);

    Settings m_options;
    Lookup m_text;
    std::array<TzkBtnEdit*, 20> m_edits{}; // null at 14 and 15
    QPlainTextEdit* m_description;
    QPlainTextEdit* m_actors;
    TzkLabeledColorBox* m_colour;
    TzkImagePanel* m_images;
    bool m_filling = false;
};

} // namespace reelkeep
