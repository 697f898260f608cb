// The window bar: a task bar along the bottom of the main window with one toggle
// button per list window of the MDI area and a menu of window commands on each button.
#pragma once

#include "TextLookup.h"

#include <QFrame>
#include <QPointer>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolButton;

namespace reelkeep {

class TMDIPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int DefaultButtonWidth = 165;
    static constexpr int PanelHeight = 27;

    // Tracks the area's subwindows by itself, the ones already open included.
    TMDIPanel(QMdiArea* area, TextLookup lookup, QWidget* parent = nullptr);
    ~TMDIPanel() override;

    // Sets the menu texts again from the lookup (after a language change).
    void TranslateControls();

    // The buttons in bar order and the window each one stands for.
    std::vector<QToolButton*> Buttons() const;
    QMdiSubWindow* WindowOf(const QToolButton* button) const;
    QToolButton* ButtonOf(const QMdiSubWindow* window) const;
    // The window's menu with its items enabled for the window's present state.
    QMenu* MenuOf(QMdiSubWindow* window);

    // What a left click on the window's button does.
    void ActivateClick(QMdiSubWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Entry;

    void SyncWithArea();
    void AddButton(QMdiSubWindow* window);
    void RemoveEntryAt(std::size_t index);
    void Forget(QObject* window);
    void UpdateCaption(Entry& entry);
    void UpdateIcon(Entry& entry);
    void UpdatePressed();
    void LayoutButtons();
    void BuildMenu(Entry& entry);
    void TranslateMenu(QMenu& menu) const;
    void EnableMenuItems(Entry& entry);
    void ShowMenu(QToolButton* button, const QPoint& position);
    Entry* EntryOf(const QObject* windowOrButton);
    std::vector<QMdiSubWindow*> TrackedWindows() const;
    QMdiSubWindow* TopWindow() const;

    QPointer<QMdiArea> Area;
    // Kept apart from Area: events still reach the filter while the area is being
    // destroyed, when it may no longer be used as a QMdiArea.
    QPointer<QWidget> Viewport;
    TextLookup Lookup;
    std::vector<Entry> Entries;
    bool SyncQueued = false;
};

} // namespace reelkeep
