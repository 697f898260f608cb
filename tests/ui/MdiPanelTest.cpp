// The window bar over a bare MDI area: a button per window, its clicks and its menu.
#include "TMDIPanel.h"
#include "UiTestSupport.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace reelkeep;
using reelkeep::testing::ButtonTips;

namespace {

// A window whose close can be refused, as a list window does when its save question is cancelled.
class RefusingWidget : public QWidget {
public:
    bool Refuse = true;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!Refuse); }
};

struct Bench {
    QWidget Frame;
    QMdiArea* Area;
    TMDIPanel* Panel = nullptr;

    Bench()
    {
        Frame.resize(900, 600);
        auto* layout = new QVBoxLayout(&Frame);
        Area = new QMdiArea;
        layout->addWidget(Area);
        Frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Frame));
    }
    void AddPanel()
    {
        Panel = new TMDIPanel(Area, [](const QString& section, const QString& key) -> QString { return section + u'/' + key; });
        Frame.layout()->addWidget(Panel);
    }
    QMdiSubWindow* Open(const QString& title, QWidget* widget = nullptr)
    {
        if (widget == nullptr)
            widget = new QWidget;
        widget->setWindowTitle(title);
        QMdiSubWindow* window = Area->addSubWindow(widget);
        window->show();
        QCoreApplication::processEvents();
        return window;
    }
    QMdiSubWindow* Pressed() const
    {
        QMdiSubWindow* pressed = nullptr;
        for (const QToolButton* button : Panel->Buttons())
            if (button->isChecked()) {
                if (pressed != nullptr)
                    return nullptr;
                pressed = Panel->WindowOf(button);
            }
        return pressed;
    }
    void Click(QMdiSubWindow* window) { QTest::mouseClick(Panel->ButtonOf(window), Qt::LeftButton); }
    void Trigger(QMdiSubWindow* window, const char* key)
    {
        Panel->MenuOf(window)->findChild<QAction*>(QString::fromLatin1(key))->trigger();
        QCoreApplication::processEvents();
    }
    QString Enabled(QMdiSubWindow* window)
    {
        QString flags;
        for (const char* key : {"Activate", "Restore", "Minimize", "Maximize"})
            flags += Panel->MenuOf(window)->findChild<QAction*>(QString::fromLatin1(key))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return flags;
    }
};

} // namespace

class MdiPanelTest : public QObject {
    Q_OBJECT
private slots:
    void ButtonsFollowTheWindows();
    void ButtonsShrinkToFitAndGrowBack();
    void ClicksAndMenuItemsFollowAndActOnTheWindows();
    void ButtonsNeverTouchEachOtherNorTheEdge();
};

void MdiPanelTest::ButtonsFollowTheWindows()
{
    Bench bench;
    QMdiSubWindow* first = bench.Open(QStringLiteral("Зима.kdx"));
    // A bar switched on while a window is open gets a button for it.
    bench.AddPanel();
    QCOMPARE(ButtonTips(bench.Panel), test::u({"Зима.kdx"}));
    QCOMPARE(bench.Panel->ButtonOf(first)->text(), QStringLiteral("Зима.kdx"));
    QCOMPARE(bench.Pressed(), first);

    QMdiSubWindow* second = bench.Open(QStringLiteral("Лето.xkdx"));
    QMdiSubWindow* third = bench.Open(QStringLiteral("Осень.xls"));
    QCOMPARE(ButtonTips(bench.Panel), test::u({"Зима.kdx", "Лето.xkdx", "Осень.xls"}));
    QCOMPARE(bench.Pressed(), third);
    QVERIFY(!bench.Panel->ButtonOf(third)->icon().isNull());

    // Renaming, including the modified mark, shows at once.
    second->widget()->setWindowTitle(QStringLiteral("Весна.kdx[*]"));
    QCOMPARE(bench.Panel->ButtonOf(second)->toolTip(), QStringLiteral("Весна.kdx"));
    second->widget()->setWindowModified(true);
    QCOMPARE(bench.Panel->ButtonOf(second)->text(), QStringLiteral("Весна.kdx*"));

    // Activation moves the pressed button; a minimised window keeps its button.
    bench.Area->setActiveSubWindow(first);
    QCOMPARE(bench.Pressed(), first);
    third->showMinimized();
    QCoreApplication::processEvents();
    QCOMPARE(bench.Panel->Buttons().size(), 3u);

    // Closing removes the button and packs the others to the left; so does hiding a window.
    const int firstPlace = bench.Panel->ButtonOf(first)->x();
    first->close();
    QTRY_COMPARE(bench.Panel->Buttons().size(), 2u);
    QCOMPARE(bench.Panel->ButtonOf(second)->x(), firstPlace);
    second->hide();
    QTRY_COMPARE(ButtonTips(bench.Panel), test::u({"Осень.xls"}));
    second->show();
    QTRY_COMPARE(bench.Panel->Buttons().size(), 2u);
}

void MdiPanelTest::ButtonsShrinkToFitAndGrowBack()
{
    Bench bench;
    bench.AddPanel();
    for (int i = 1; i <= 3; ++i)
        bench.Open(QStringLiteral("Каталог с длинным названием номер %1.kdx").arg(i));
    for (const QToolButton* button : bench.Panel->Buttons())
        QCOMPARE(button->width(), TMDIPanel::DefaultButtonWidth);
    // An elided caption still has the whole title in its tooltip.
    QVERIFY(bench.Panel->Buttons().front()->text().endsWith(QChar(0x2026)));

    for (int i = 4; i <= 12; ++i)
        bench.Open(QStringLiteral("Каталог %1.kdx").arg(i));
    const std::vector<QToolButton*> buttons = bench.Panel->Buttons();
    QCOMPARE(buttons.size(), 12u);
    const int width = buttons.front()->width();
    QVERIFY(width < TMDIPanel::DefaultButtonWidth);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QCOMPARE(buttons[i]->width(), width);
        if (i > 0)
            QVERIFY(buttons[i]->x() > buttons[i - 1]->geometry().right());
    }
    QVERIFY(buttons.back()->geometry().right() < bench.Panel->contentsRect().right());
    QVERIFY(width * 12 > bench.Panel->width() - 30); // the bar is used, not left half empty

    bench.Frame.resize(2400, 600);
    QTRY_COMPARE(bench.Panel->Buttons().front()->width(), TMDIPanel::DefaultButtonWidth);
}

void MdiPanelTest::ClicksAndMenuItemsFollowAndActOnTheWindows()
{
    Bench bench;
    bench.AddPanel();
    QMdiSubWindow* a = bench.Open(QStringLiteral("a.kdx"));
    QMdiSubWindow* b = bench.Open(QStringLiteral("b.kdx"));
    auto* refusing = new RefusingWidget;
    QMdiSubWindow* c = bench.Open(QStringLiteral("c.kdx"), refusing);

    // A window that is not on top comes up in the state the top one had.
    bench.Click(a);
    QCOMPARE(bench.Area->activeSubWindow(), a);
    QCOMPARE(bench.Pressed(), a);
    QVERIFY(!a->isMaximized());
    a->showMaximized();
    bench.Click(b);
    QCOMPARE(bench.Area->activeSubWindow(), b);
    QVERIFY(b->isMaximized());

    // The top window is minimised and the next one takes its place.
    bench.Click(b);
    QVERIFY(b->isMinimized());
    QVERIFY(bench.Area->activeSubWindow() != b);
    QCOMPARE(bench.Pressed(), bench.Area->activeSubWindow());

    // A minimised window comes back and is made active.
    bench.Click(b);
    QVERIFY(!b->isMinimized());
    QCOMPARE(bench.Area->activeSubWindow(), b);
    QCOMPARE(bench.Pressed(), b);
    QVERIFY(c->isVisible());

    // The menu's Activate, Restore, Minimise and Maximise follow the state of its window.
    for (QMdiSubWindow* window : {a, b, c})
        window->showNormal();
    bench.Area->setActiveSubWindow(b);
    QCOMPARE(bench.Enabled(b), QStringLiteral("0011"));
    QCOMPARE(bench.Enabled(a), QStringLiteral("1011"));
    a->showMinimized();
    bench.Area->setActiveSubWindow(b);
    QCOMPARE(bench.Enabled(a), QStringLiteral("1101"));
    b->showMaximized();
    QCOMPARE(bench.Enabled(b), QStringLiteral("0110"));

    bench.Trigger(a, "Restore");
    QVERIFY(!a->isMinimized());
    bench.Trigger(a, "Maximize");
    QVERIFY(a->isMaximized());
    bench.Trigger(a, "Restore");
    QVERIFY(!a->isMaximized());
    bench.Trigger(b, "Activate");
    QCOMPARE(bench.Area->activeSubWindow(), b);

    // The commands of the menu arrange, size, minimise and close the windows.
    for (QMdiSubWindow* window : {a, b, c})
        window->showNormal();
    const QSize client = bench.Area->viewport()->size();

    bench.Trigger(a, "TileHorizontally");
    for (QMdiSubWindow* window : {a, b, c})
        QCOMPARE(window->width(), client.width());
    QCOMPARE(a->height() + b->height() + c->height(), client.height());
    bench.Trigger(a, "TileVertically");
    QCOMPARE(a->width() + b->width() + c->width(), client.width());
    QCOMPARE(a->height(), client.height());

    // Client size fills the area with the window of the button, restored and active.
    b->showMaximized();
    bench.Area->setActiveSubWindow(c);
    bench.Trigger(a, "ClientSize");
    QCOMPARE(a->geometry(), QRect(QPoint(0, 0), client));
    QVERIFY(!a->isMaximized());
    QCOMPARE(bench.Area->activeSubWindow(), a);
    bench.Trigger(c, "ClientSizeAll");
    for (QMdiSubWindow* window : {a, b, c})
        QCOMPARE(window->geometry(), QRect(QPoint(0, 0), client));

    // Minimise all, then the same item restores all; arranged icons sit at the bottom.
    bench.Trigger(a, "MinimizeAll");
    for (QMdiSubWindow* window : {a, b, c})
        QVERIFY(window->isMinimized());
    bench.Trigger(a, "ArrangeIcons");
    QCOMPARE(a->geometry().bottom(), bench.Area->viewport()->rect().bottom());
    QCOMPARE(b->x(), a->geometry().right() + 1);
    bench.Trigger(a, "MinimizeAll");
    for (QMdiSubWindow* window : {a, b, c})
        QVERIFY(!window->isMinimized());

    // Close all asks every window; one that refuses stays with its button.
    bench.Trigger(b, "CloseAll");
    QTRY_COMPARE(bench.Panel->Buttons().size(), 1u);
    QCOMPARE(bench.Panel->WindowOf(bench.Panel->Buttons().front()), c);
    refusing->Refuse = false;
    bench.Trigger(c, "CloseWindow");
    QTRY_VERIFY(bench.Panel->Buttons().empty());
    QVERIFY(bench.Area->subWindowList().isEmpty());
}

void MdiPanelTest::ButtonsNeverTouchEachOtherNorTheEdge()
{
    Bench bench;
    bench.AddPanel();
    // Full width first, then shrinking as windows are added.
    for (int count = 1; count <= 14; ++count) {
        bench.Open(QStringLiteral("Каталог %1.kdx").arg(count));
        const std::vector<QToolButton*> buttons = bench.Panel->Buttons();
        QVERIFY(buttons.front()->x() > bench.Panel->contentsRect().left());
        for (std::size_t i = 1; i < buttons.size(); ++i)
            QVERIFY2(buttons[i]->x() > buttons[i - 1]->geometry().right() + 1,
                     qPrintable(QStringLiteral("buttons %1 and %2 of %3 touch").arg(i).arg(i + 1).arg(count)));
        QVERIFY(buttons.back()->geometry().right() < bench.Panel->contentsRect().right());
    }
}

QTEST_MAIN(MdiPanelTest)
#include "MdiPanelTest.moc"
