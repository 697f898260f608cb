// Tool bars side by side as far as the window is wide, the next ones on rows below, so
// that no control of a narrow window is hidden behind an overflow button (which a tool
// bar outside a main window cannot open).
#pragma once

#include <QWidget>

class QBoxLayout;
class QToolBar;

namespace reelkeep {

class ToolBarRows : public QWidget {
    Q_OBJECT
public:
    explicit ToolBarRows(QWidget* parent = nullptr);

    // A new tool bar after the others.
    QToolBar* addBar();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Puts the bars on rows, each row as full as the width allows.
    void arrange(int width);

    QBoxLayout* m_layout;
    std::vector<QToolBar*> m_bars;
    std::vector<int> m_rowOf; // the row of each bar as last arranged
};

} // namespace reelkeep
