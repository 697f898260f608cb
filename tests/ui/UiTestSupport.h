// Catalogues made for the interface tests, and helpers that wait for loads.
#pragma once

#include "ListController.h"
#include "MainMenu.h"
#include "ModelContract.h"
#include "PluginProbeJob.h"
#include "ScriptedPrompts.h"
#include "TMDIPanel.h"
#include "TfmList.h"
#include "TfmMain.h"
#include "TzkReelkeep.h"

#include "../support/CliRunner.h"
#include "../support/TestFiles.h"

#include <QAction>
#include <QJsonArray>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

namespace reelkeep::testing {

// A catalogue made for a test sheet by sheet and record by record, its columns named as the built-in ones.
class TestCatalogue {
public:
    // A new sheet, to which the records added next go.
    TestCatalogue& sheet(const char* name, const QString& titleColumn = QStringLiteral("Название"))
    {
        m_sheet = doc.AddList(0, QString::fromUtf8(name));
        for (int c = 0; c < kStoredColumnCount; ++c)
            m_sheet->SetColumnName(c, BuiltInColumnDefinitions()[static_cast<size_t>(c)].name);
        m_sheet->SetColumnName(1, titleColumn);
        return *this;
    }
    // A record of the current sheet, nested in parent when one is given, with these cells by column.
    TzkRow* record(std::initializer_list<std::pair<int, const char*>> cells, TzkRow* parent = nullptr)
    {
        TzkRow* row = m_sheet->AddRow(parent);
        for (const auto& [column, text] : cells)
            row->Fields[static_cast<size_t>(column)] = QString::fromUtf8(text);
        return row;
    }

    TzkReelkeep doc;

private:
    TZKList* m_sheet = nullptr;
};

// A catalogue of two sheets: the first holds unsorted films, one of them a group of two,
// and coloured rows; column 1 is named titleColumn.
inline void WriteSampleCatalogue(const QString& path, const QString& titleColumn = QStringLiteral("Название"))
{
    TestCatalogue films;
    films.sheet("Фильмы", titleColumn);
    films.record({{csTitle, "Шахматы"}, {3, "700"}, {csColour, "000000FF"}});
    films.record({{csTitle, "Амели"}, {3, "650"}});
    films.record({{csTitle, "Матрица 2"}, {3, "90"}, {csColour, "0000FF00"}});
    films.record({{csTitle, "Жмурки"}, {3, "n/a"}, {csColour, "zz"}});
    TzkRow* group = films.record({{csTitle, "Бригада"}});
    films.record({{csTitle, "Бригада 1"}}, group);
    films.record({{csTitle, "Бригада 2"}}, group);
    films.sheet("Сериалы", titleColumn).record({{csTitle, "Остров"}});
    films.doc.SaveToFile(path);
}

// Waits until the window's catalogue is loaded (or failed); true when it loaded. From
// then on the window's grid model is held to its contract.
inline bool WaitLoaded(TfmList* list)
{
    if (!list)
        return false;
    CheckModelContract(list);
    if (list->controller().document() && !list->controller().isLoading())
        return true;
    QSignalSpy done(list, &TfmList::loadDone);
    return done.wait(20000) && done.front().front().toBool();
}

// One cell of each record of list n, depth first, as reelkeep-cli prints them; with
// visibleOnly, those of records a filter hides (and their children) are left out.
inline QStringList CliCells(const QJsonObject& dump, int column, int list = 1, bool visibleOnly = false)
{
    QStringList cells;
    const std::function<void(const QJsonArray&)> walk = [&](const QJsonArray& rows) {
        for (const QJsonValue& row : rows) {
            if (visibleOnly && row[QStringLiteral("filtered")].toBool())
                continue;
            cells << row[QStringLiteral("cells")].toArray()[column].toString();
            walk(row[QStringLiteral("children")].toArray());
        }
    };
    walk(dump[QStringLiteral("lists")].toArray()[list - 1][QStringLiteral("rows")].toArray());
    return cells;
}

inline QStringList CliTitles(const QJsonObject& dump, int list = 1, bool visibleOnly = false)
{
    return CliCells(dump, 1, list, visibleOnly);
}

// The first row (column 0) of the model with this title, at any depth; invalid when there is none.
inline QModelIndex TitleIndex(const QAbstractItemModel& model, const QString& title)
{
    return model.match(model.index(0, 1), Qt::DisplayRole, title, 1, Qt::MatchExactly | Qt::MatchRecursive).value(0).siblingAtColumn(0);
}

// The titles of the model's rows, depth first.
inline QStringList ModelTitles(const QAbstractItemModel& model, const QModelIndex& parent = {})
{
    QStringList titles;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 1, parent);
        titles << index.data().toString();
        titles += ModelTitles(model, index.siblingAtColumn(0));
    }
    return titles;
}

// The texts of a menu's items, top to bottom.
inline QStringList ActionTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    return texts;
}

// The texts of a list box's items, top to bottom.
inline QStringList ListItems(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// The tooltips of a window bar's buttons, left to right: the whole titles of their windows.
inline QStringList ButtonTips(const TMDIPanel* bar)
{
    QStringList tips;
    for (const QToolButton* button : bar->Buttons())
        tips << button->toolTip();
    return tips;
}

// What most interface tests start from: a program folder of their own (reelkeep-cli, the
// oracle, runs in it too), prompts answered from a script and a main window over both.
// A test class derives from it after QObject and calls these from init() and cleanup().
class MainWindowFixture {
protected:
    // The window comes separately, so that files it reads at its start can be put in the folder first.
    void newProgramFolder()
    {
        cli = std::make_unique<CliRunner>();
        prompts = std::make_unique<ScriptedPrompts>();
    }
    void startMainWindow() { main = std::make_unique<TfmMain>(cli->folder(), prompts.get()); }
    // Shown on the screen (at this size, when one is given), for tests that click, paint or
    // need focus; false when it never appeared.
    bool showMainWindow(QSize size = {})
    {
        if (size.isValid())
            main->resize(size);
        main->show();
        return QTest::qWaitForWindowExposed(main.get());
    }
    // Once the plug-ins have answered and the window has taken their answer (it may have
    // before this is called, on a slow start); false when they never answered.
    bool waitForPluginProbe()
    {
        if (!QTest::qWaitFor([this] { return !main->pluginProbe().isRunning(); }, 30000))
            return false;
        QCoreApplication::sendPostedEvents();
        return true;
    }
    // The window of the catalogue once loaded, or null when it did not load.
    TfmList* openLoaded(const QString& path)
    {
        TfmList* window = main->OpenFile(path);
        return WaitLoaded(window) ? window : nullptr;
    }
    // The start of most list-window tests: a shown window of a size that fits the whole grid and
    // panel, with the sample catalogue written to the program folder under name and opened.
    TfmList* openSampleInShownWindow(const char* name)
    {
        newProgramFolder();
        startMainWindow();
        if (!showMainWindow({1100, 800}))
            return nullptr;
        return openSample(name);
    }
    // The sample catalogue written to the program folder under name and opened.
    TfmList* openSample(const char* name, const QString& titleColumn = QStringLiteral("Название"))
    {
        WriteSampleCatalogue(cli->path(name), titleColumn);
        return openLoaded(cli->path(name));
    }
    // How many sheets reelkeep-cli reads from the file.
    qsizetype sheetsIn(const char* name, bool asKdx = false) const
    {
        const CliRun run = asKdx ? cli->run({"dump", cli->path(name), "--as-kdx"}) : cli->run({"dump", cli->path(name)});
        return run.json()[QStringLiteral("lists")].toArray().size();
    }
    // The catalogue file as reelkeep-cli reads it.
    QJsonObject dump(const QString& file) const
    {
        const CliRun run = cli->run({"dump", file});
        if (run.status != 0)
            qWarning("dump failed: %s", run.err.constData());
        return run.json();
    }
    // Saves the window's catalogue through the menu and reads the file back with reelkeep-cli.
    QJsonObject saveAndDump(TfmList* window, const QString& file)
    {
        main->mdiArea()->setActiveSubWindow(window);
        main->menus().action("miSave")->trigger();
        if (!QTest::qWaitFor([window] { return !window->isBusy(); }, 20000))
            qWarning("the save did not end");
        return dump(file);
    }
    // Whether every list window's work (a save, a printout) has ended.
    bool idle() const
    {
        const QList<TfmList*> windows = main->lists();
        return std::none_of(windows.begin(), windows.end(), [](const TfmList* window) { return window->isBusy(); });
    }
    // The file of the catalogue most tests work on.
    QString path() const { return cli->path("films.kdx"); }
    // The row of the grid of the window (the test's own unless another is named) with this title.
    QModelIndex rowIndex(const char* title, TfmList* window = nullptr) const
    {
        return TitleIndex(*(window ? window : list)->grid()->model(), QString::fromUtf8(title));
    }
    // A click on the row of the window's grid (the test's own unless another is named), as a user makes
    // it: scrolled into view first.
    void click(const QModelIndex& index, Qt::KeyboardModifiers modifiers = {}, TfmList* window = nullptr) const
    {
        QTreeView* grid = (window ? window : list)->grid();
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, grid->visualRect(index).center());
    }
    // Questions asked on closing are answered No, so nothing is saved and nothing waits.
    void closeMainWindow()
    {
        prompts->answers.assign(8, PromptButton::No);
        main.reset();
        cli.reset();
        list = nullptr;
    }

    std::unique_ptr<CliRunner> cli;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<TfmMain> main;
    // The window of the catalogue the test works in.
    TfmList* list = nullptr;
};

} // namespace reelkeep::testing
