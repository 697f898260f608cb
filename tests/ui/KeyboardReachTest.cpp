// What a person reaches from the keyboard and on a small screen: every menu of the bar
// opens with Alt and its letter and every command in it has a letter of its own, in
// Russian and in English; at 800×600 every control of a list window can be reached.
#include "TzkImagePanel.h"
#include "TzkLabeledColorBox.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QScrollArea>
#include <QToolBar>

using namespace reelkeep;
using namespace reelkeep::testing;

class KeyboardReachTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    // Menus that list the catalogue's data (columns, quick-list entries), not commands.
    static bool listsData(const QMenu* menu)
    {
        const QString name = menu->objectName();
        return name == QLatin1String("miLists") || name == QLatin1String("miFilter") || name == QLatin1String("miSortBy");
    }
    // The items of a menu without a letter, or sharing one.
    static QStringList letterProblems(const QMenu* menu)
    {
        QStringList problems;
        QSet<QString> letters;
        for (const QAction* item : menu->actions()) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            const QString letter = QKeySequence::mnemonic(item->text()).toString();
            if (letter.isEmpty())
                problems << item->text() + QStringLiteral(": no letter");
            else if (letters.contains(letter))
                problems << item->text() + QStringLiteral(": letter taken");
            letters.insert(letter);
            if (item->menu() && !listsData(item->menu()))
                problems += letterProblems(item->menu());
        }
        return problems;
    }

private slots:
    void cleanup() { closeMainWindow(); }

    void everyMenuOpensWithAltAndItsLetter_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Russian") << QString();
        QTest::newRow("English") << QStringLiteral("English.lng");
    }
    void everyMenuOpensWithAltAndItsLetter()
    {
        QFETCH(QString, language);
        newProgramFolder();
        if (!language.isEmpty()) {
            QVERIFY(QFile::copy(QStringLiteral(REELKEEP_DATA_DIR "/") + language, cli->path("English.lng")));
            test::WriteTestFile(cli->path("setup.ini"), "[Options]\nDefLanguageFile=" + language.toUtf8() + "\n");
        }
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
        QVERIFY((list = openSample("films.kdx")));

        const QMenuBar* bar = main->menuBar();
        QStringList problems;
        QSet<QString> barLetters;
        int opened = 0;
        for (QAction* title : bar->actions()) {
            if (!title->menu() || !title->isVisible())
                continue;
            const QKeySequence letter = QKeySequence::mnemonic(title->text());
            QVERIFY2(!letter.isEmpty(), qPrintable(title->text()));
            QVERIFY2(!barLetters.contains(letter.toString()), qPrintable(title->text()));
            barLetters.insert(letter.toString());
            main->activateWindow();
            list->grid()->setFocus();
            QTRY_VERIFY(QApplication::focusWidget() == list->grid());
            QWidget* focused = QApplication::focusWidget();
            // Cyrillic letters have no ASCII text, so the key event carries its own.
            const Qt::Key key = letter[0].key();
            QTest::sendKeyEvent(QTest::Click, focused, key, QString(QChar(key)).toLower(), Qt::AltModifier);
            QTRY_VERIFY2(QApplication::activePopupWidget() == title->menu(), qPrintable(title->text()));
            ++opened;
            if (!listsData(title->menu()))
                problems += letterProblems(title->menu());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
            if (QApplication::focusWidget())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        QCOMPARE(opened, 7);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void atTheSmallestSizeEveryControlOfAListWindowCanBeReached()
    {
        newProgramFolder();
        startMainWindow();
        QVERIFY(showMainWindow({800, 600}));
        QVERIFY((list = openSample("films.kdx")));
        QTest::mouseClick(list->grid()->viewport(), Qt::LeftButton, {},
                          list->grid()->visualRect(TitleIndex(*list->grid()->model(), QStringLiteral("Амели"))).center());
        const QRect window = list->rect();
        const auto wholeIn = [](const QWidget* control, const QWidget* area) {
            return control->isVisible() && area->rect().contains(QRect(control->mapTo(area, QPoint(0, 0)), control->size()));
        };
        // Every tool bar control is shown whole: nothing folds into an overflow button.
        int controls = 0;
        for (const QToolBar* bar : list->findChildren<QToolBar*>()) {
            for (QAction* action : bar->actions()) {
                QWidget* control = bar->widgetForAction(action);
                if (action->isSeparator() || !control)
                    continue;
                ++controls;
                QVERIFY2(wholeIn(control, list), qPrintable(control->objectName()));
            }
            const auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
            QVERIFY(!more || !more->isVisible());
        }
        QCOMPARE(controls, 19);
        // The record panel shows every control in its width, with no horizontal scroll bar;
        // scrolled down to, each is shown whole.
        auto* panel = list->findChild<QScrollArea*>(QStringLiteral("sbRecord"));
        QCOMPARE(panel->horizontalScrollBar()->maximum(), 0);
        for (const QWidget* control : list->recordPanel()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(control->geometry().right() < panel->viewport()->width(), qPrintable(control->objectName()));
        TzkImagePanel* images = list->recordPanel()->imagePanel();
        for (QWidget* control : std::initializer_list<QWidget*>{list->recordPanel()->colourBox(), images->addButton(),
                                                                images->removeButton(), images->nextButton()}) {
            panel->ensureWidgetVisible(control, 0, 0);
            QVERIFY2(wholeIn(control, panel->viewport()), qPrintable(control->objectName()));
        }
        QVERIFY(wholeIn(panel, list));
        QVERIFY(window.contains(QRect(list->grid()->mapTo(list, QPoint(0, 0)), list->grid()->size())));
    }

    // A combo box is announced by its current text; each one of the tool bar has a visible
    // label tied to it, which a screen reader reads with it, in the interface language.
    void everyToolBarComboBoxHasItsLabel_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("Russian") << QString()
                                 << QStringList{QStringLiteral("Листы"), QStringLiteral("Сайт для поиска"),
                                                QStringLiteral("Колонка для поиска"), QStringLiteral("Быстрый поиск")};
        QTest::newRow("English") << QStringLiteral("English.lng")
                                 << QStringList{QStringLiteral("Sheets"), QStringLiteral("Search site"),
                                                QStringLiteral("Column to search"), QStringLiteral("Quick search")};
    }
    void everyToolBarComboBoxHasItsLabel()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, labels);
        newProgramFolder();
        if (!language.isEmpty()) {
            QVERIFY(QFile::copy(QStringLiteral(REELKEEP_DATA_DIR "/") + language, cli->path("English.lng")));
            test::WriteTestFile(cli->path("setup.ini"), "[Options]\nDefLanguageFile=" + language.toUtf8() + "\n");
        }
        startMainWindow();
        QVERIFY(showMainWindow({800, 600}));
        QVERIFY((list = openSample("films.kdx")));
        const char* combos[] = {"cbLists", "cbSearchURL", "cbSearchColumn", "cbSearch"};
        for (int i = 0; i < 4; ++i) {
            auto* combo = list->findChild<QComboBox*>(QString::fromLatin1(combos[i]));
            QAccessibleInterface* named = QAccessible::queryAccessibleInterface(combo);
            const auto relations = named->relations(QAccessible::Label);
            QCOMPARE(relations.size(), 1);
            auto* label = qobject_cast<QLabel*>(relations.front().first->object());
            QVERIFY2(label && label->isVisible(), combos[i]);
            QCOMPARE(label->buddy(), combo);
            QCOMPARE(label->text().remove(QLatin1Char('&')), labels[i]);
        }
    }
};

QTEST_MAIN(KeyboardReachTest)
#include "KeyboardReachTest.moc"
