// Tool bars side by side while the window is wide enough for all of them, one under
// the other when it is not, so that no control of a narrow window is hidden behind
// an overflow button (which a tool bar outside a main window cannot open).
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
    // The width all bars need in one row.
    int rowWidth() const;

    QBoxLayout* m_layout;
    std::vector<QToolBar*> m_bars;
};

} // namespace reelkeep
