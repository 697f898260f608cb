#include "TMDIPanel.h"

#include "MdiWindowCommands.h"

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace reelkeep {
namespace {

const QString kWindowBarSection = QStringLiteral("WindowBar");
constexpr int kButtonGap = 1;
constexpr int kWindowIconSize = 16;

enum class Item { Cascade, TileHorizontally, TileVertically, ArrangeIcons, MinimizeAll, CloseAll,
                  Activate, Restore, Minimize, Maximize, ClientSize, ClientSizeAll, CloseWindow, None };

struct MenuItem {
    Item item;
    const char* key;
};

// The menu in its order; None stands for a separator.
constexpr MenuItem kMenu[] = {
        {Item::Cascade, "Cascade"},
        {Item::TileHorizontally, "TileHorizontally"},
        {Item::TileVertically, "TileVertically"},
        {Item::ArrangeIcons, "ArrangeIcons"},
        {Item::MinimizeAll, "MinimizeAll"},
        {Item::CloseAll, "CloseAll"},
        {Item::None, nullptr},
        {Item::Activate, "Activate"},
        {Item::None, nullptr},
        {Item::Restore, "Restore"},
        {Item::Minimize, "Minimize"},
        {Item::Maximize, "Maximize"},
        {Item::None, nullptr},
        {Item::ClientSize, "ClientSize"},
        {Item::ClientSizeAll, "ClientSizeAll"},
        {Item::None, nullptr},
        {Item::CloseWindow, "CloseWindow"},
};

// The title as the window's own frame shows it: the "[*]" mark becomes "*" while modified.
QString ShownTitle(const QWidget& window)
{
    QString title = window.windowTitle();
    title.replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
    return title;
}


// The menu commands that need nothing of the bar but the windows that have buttons.
void RunWindowCommand(Item item, QMdiArea& area, QMdiSubWindow& window, const std::vector<QMdiSubWindow*>& all)
{
    switch (item) {
    case Item::Cascade: area.cascadeSubWindows(); break;
    case Item::TileHorizontally: TileHorizontally(area); break;
    case Item::TileVertically: TileVertically(area); break;
    case Item::ArrangeIcons: ArrangeIcons(area); break;
    case Item::MinimizeAll:
        if (std::all_of(all.begin(), all.end(), [](QMdiSubWindow* w) { return w->isMinimized(); })) {
            for (QMdiSubWindow* w : all)
                RestoreWindow(*w);
        } else {
            for (auto it = all.rbegin(); it != all.rend(); ++it)
                (*it)->showMinimized();
        }
        break;
    case Item::CloseAll:
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            (*it)->close();
        break;
    case Item::Restore: RestoreWindow(window); break;
    case Item::Minimize: window.showMinimized(); break;
    case Item::Maximize: window.showMaximized(); break;
    case Item::ClientSize:
        // Activated first: activation would maximise it again while the active window is maximised.
        area.setActiveSubWindow(&window);
        FitToClientArea(window);
        break;
    case Item::ClientSizeAll:
        for (QMdiSubWindow* w : all)
            if (!w->isMinimized())
                FitToClientArea(*w);
        break;
    case Item::CloseWindow: window.close(); break;
    case Item::Activate:
    case Item::None: break;
    }
}

} // namespace

struct TMDIPanel::Entry {
    QMdiSubWindow* Window; // compared only: it may be half destroyed when the entry goes
    QToolButton* Button;
    QMenu* Menu;
    QString Title;
};

TMDIPanel::TMDIPanel(QMdiArea* area, TextLookup lookup, QWidget* parent)
    : QFrame(parent)
    , Area(area)
    , Lookup(std::move(lookup))
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFixedHeight(PanelHeight);
    Viewport = area->viewport();
    Viewport->installEventFilter(this);
    connect(area, &QMdiArea::subWindowActivated, this, [this] { SyncWithArea(); });
    SyncWithArea();
}

TMDIPanel::~TMDIPanel()
{
    if (Viewport)
        Viewport->removeEventFilter(this);
}

void TMDIPanel::TranslateControls()
{
    for (Entry& entry : Entries)
        TranslateMenu(*entry.Menu);
}

void TMDIPanel::TranslateMenu(QMenu& menu) const
{
    for (QAction* action : menu.actions())
        if (!action->isSeparator())
            action->setText(Lookup(kWindowBarSection, action->objectName()));
}

std::vector<QToolButton*> TMDIPanel::Buttons() const
{
    std::vector<QToolButton*> buttons;
    for (const Entry& entry : Entries)
        buttons.push_back(entry.Button);
    return buttons;
}

QMdiSubWindow* TMDIPanel::WindowOf(const QToolButton* button) const
{
    for (const Entry& entry : Entries)
        if (entry.Button == button)
            return entry.Window;
    return nullptr;
}

QToolButton* TMDIPanel::ButtonOf(const QMdiSubWindow* window) const
{
    for (const Entry& entry : Entries)
        if (entry.Window == window)
            return entry.Button;
    return nullptr;
}

QMenu* TMDIPanel::MenuOf(QMdiSubWindow* window)
{
    Entry* entry = EntryOf(window);
    if (entry == nullptr)
        return nullptr;
    EnableMenuItems(*entry);
    return entry->Menu;
}

TMDIPanel::Entry* TMDIPanel::EntryOf(const QObject* windowOrButton)
{
    const auto it = std::find_if(Entries.begin(), Entries.end(), [&](const Entry& entry) {
        return entry.Window == windowOrButton || entry.Button == windowOrButton;
    });
    return it == Entries.end() ? nullptr : &*it;
}

std::vector<QMdiSubWindow*> TMDIPanel::TrackedWindows() const
{
    std::vector<QMdiSubWindow*> windows;
    for (const Entry& entry : Entries)
        windows.push_back(entry.Window);
    return windows;
}

QMdiSubWindow* TMDIPanel::TopWindow() const
{
    if (QMdiSubWindow* active = Area->activeSubWindow())
        return active;
    const QList<QMdiSubWindow*> stack = Area->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if (!(*it)->isHidden())
            return *it;
    return nullptr;
}

void TMDIPanel::SyncWithArea()
{
    SyncQueued = false;
    if (!Area)
        return;
    const QList<QMdiSubWindow*> windows = Area->subWindowList(QMdiArea::CreationOrder);
    for (std::size_t i = Entries.size(); i-- > 0;)
        if (!windows.contains(Entries[i].Window) || Entries[i].Window->isHidden())
            RemoveEntryAt(i);
    for (QMdiSubWindow* window : windows) {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, &TMDIPanel::Forget, Qt::UniqueConnection);
        if (!window->isHidden() && EntryOf(window) == nullptr)
            AddButton(window);
    }
    LayoutButtons();
    UpdatePressed();
}

void TMDIPanel::AddButton(QMdiSubWindow* window)
{
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setCheckable(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(kWindowIconSize, kWindowIconSize));
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QToolButton::clicked, this, [this, button] {
        if (QMdiSubWindow* target = WindowOf(button))
            ActivateClick(target);
        UpdatePressed();
    });
    connect(button, &QWidget::customContextMenuRequested, this,
            [this, button](const QPoint& position) { ShowMenu(button, position); });
    Entries.push_back({window, button, nullptr, QString()});
    Entry& entry = Entries.back();
    BuildMenu(entry);
    UpdateCaption(entry);
    UpdateIcon(entry);
    button->show();
}

void TMDIPanel::RemoveEntryAt(std::size_t index)
{
    QToolButton* button = Entries[index].Button;
    Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(index));
    // The button may be the one whose menu closed its window: delete it once that menu is done.
    button->hide();
    button->deleteLater();
}

void TMDIPanel::Forget(QObject* window)
{
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        if (Entries[i].Window == window) {
            RemoveEntryAt(i);
            LayoutButtons();
            return;
        }
    }
}

void TMDIPanel::UpdateCaption(Entry& entry)
{
    entry.Title = ShownTitle(*entry.Window);
    entry.Button->setToolTip(entry.Title);
    LayoutButtons();
}

void TMDIPanel::UpdateIcon(Entry& entry)
{
    QIcon icon = entry.Window->windowIcon();
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_TitleBarMenuButton);
    entry.Button->setIcon(icon);
}

void TMDIPanel::UpdatePressed()
{
    const QMdiSubWindow* active = Area ? Area->activeSubWindow() : nullptr;
    for (Entry& entry : Entries)
        entry.Button->setChecked(entry.Window == active);
}

// Buttons are DefaultButtonWidth wide while they fit and share the bar evenly when they do not.
void TMDIPanel::LayoutButtons()
{
    if (Entries.empty())
        return;
    const QRect inner = contentsRect().adjusted(kButtonGap, kButtonGap, -kButtonGap, -kButtonGap);
    const int count = static_cast<int>(Entries.size());
    const int width = std::clamp((inner.width() - (count - 1) * kButtonGap) / count, 1, int(DefaultButtonWidth));
    int left = inner.left();
    for (Entry& entry : Entries) {
        entry.Button->setGeometry(left, inner.top(), width, inner.height());
        // The caption is shortened with an ellipsis; the tooltip keeps it whole.
        const int textRoom = width - kWindowIconSize - 3 * style()->pixelMetric(QStyle::PM_ButtonMargin);
        entry.Button->setText(entry.Button->fontMetrics().elidedText(entry.Title, Qt::ElideRight, std::max(textRoom, 0)));
        left += width + kButtonGap;
    }
}

void TMDIPanel::BuildMenu(Entry& entry)
{
    entry.Menu = new QMenu(entry.Button);
    QMdiSubWindow* window = entry.Window;
    for (const MenuItem& item : kMenu) {
        if (item.item == Item::None) {
            entry.Menu->addSeparator();
            continue;
        }
        QAction* action = entry.Menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(item.key));
        connect(action, &QAction::triggered, this, [this, window, which = item.item] {
            if (EntryOf(window) == nullptr)
                return;
            if (which == Item::Activate)
                ActivateClick(window);
            else
                RunWindowCommand(which, *Area, *window, TrackedWindows());
            UpdatePressed();
        });
    }
    const std::pair<const char*, QStyle::StandardPixmap> icons[] = {
            {"Activate", QStyle::SP_DialogApplyButton},
            {"Restore", QStyle::SP_TitleBarNormalButton},
            {"Minimize", QStyle::SP_TitleBarMinButton},
            {"Maximize", QStyle::SP_TitleBarMaxButton},
    };
    for (const auto& [key, pixmap] : icons)
        entry.Menu->findChild<QAction*>(QString::fromLatin1(key))->setIcon(style()->standardIcon(pixmap));
    TranslateMenu(*entry.Menu);
}

void TMDIPanel::EnableMenuItems(Entry& entry)
{
    const QMdiSubWindow* window = entry.Window;
    const bool minimised = window->isMinimized();
    const bool maximised = window->isMaximized() && !minimised;
    const auto enable = [&](const char* key, bool on) {
        entry.Menu->findChild<QAction*>(QString::fromLatin1(key))->setEnabled(on);
    };
    enable("Activate", window != TopWindow());
    enable("Restore", minimised || maximised);
    enable("Minimize", !minimised);
    enable("Maximize", !maximised);
}

void TMDIPanel::ShowMenu(QToolButton* button, const QPoint& position)
{
    Entry* entry = EntryOf(button);
    if (entry == nullptr)
        return;
    EnableMenuItems(*entry);
    entry->Menu->popup(button->mapToGlobal(position));
}

void TMDIPanel::ActivateClick(QMdiSubWindow* window)
{
    QMdiSubWindow* top = TopWindow();
    if (window->isMinimized()) {
        RestoreWindow(*window);
        Area->setActiveSubWindow(window);
    } else if (window != top) {
        const bool topMaximised = top != nullptr && top->isMaximized() && !top->isMinimized();
        Area->setActiveSubWindow(window);
        if (topMaximised)
            window->showMaximized();
        else
            RestoreWindow(*window);
    } else {
        window->showMinimized();
        // Like a task bar: the window below the minimised one becomes the active one.
        const QList<QMdiSubWindow*> stack = Area->subWindowList(QMdiArea::StackingOrder);
        for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
            if (*it != window && !(*it)->isHidden() && !(*it)->isMinimized()) {
                Area->setActiveSubWindow(*it);
                break;
            }
        }
    }
    UpdatePressed();
}

bool TMDIPanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool viewportChange = Viewport && watched == Viewport.data()
                                && (type == QEvent::ChildAdded || type == QEvent::ChildRemoved);
    if (viewportChange || type == QEvent::Show || type == QEvent::Hide) {
        // A new subwindow is not fully built when it is announced: look at the area once it is.
        if (!SyncQueued) {
            SyncQueued = true;
            QMetaObject::invokeMethod(this, &TMDIPanel::SyncWithArea, Qt::QueuedConnection);
        }
    } else if (Entry* entry = EntryOf(watched)) {
        if (type == QEvent::WindowTitleChange || type == QEvent::ModifiedChange)
            UpdateCaption(*entry);
        else if (type == QEvent::WindowIconChange)
            UpdateIcon(*entry);
    }
    return QFrame::eventFilter(watched, event);
}

void TMDIPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    LayoutButtons();
}

} // namespace reelkeep
