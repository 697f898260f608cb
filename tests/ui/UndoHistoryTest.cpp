// Undo and redo of a list window's changes, driven through its controller: a seeded run of
// random commands interleaved with random undo and redo, each state checked against the one
// recorded for that place in the history through the JSON that dump prints.
#include "CatalogueJson.h"
#include "ListController.h"
#include "ScriptedPrompts.h"
#include "ShellState.h"
#include "TzkReelkeep.h"
#include "WindowWork.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

struct Snapshot {
    QJsonObject lists;
    int current;
    bool operator==(const Snapshot&) const = default;
};

// Under the address sanitizer every step costs some thirty times more: fewer there.
#ifdef REELKEEP_SANITIZED
constexpr int kCommandsPerSeed = 150;
#else
constexpr int kCommandsPerSeed = 2000;
#endif

Snapshot snapshotOf(const ListController& controller)
{
    return {cli::CatalogueToJson(controller.document()->Lists()), controller.document()->CurrentList};
}

// The first difference between two dumps, for the failure message.
QString firstDifference(const QJsonObject& expected, const QJsonObject& actual)
{
    const QStringList a = QString::fromUtf8(QJsonDocument(expected).toJson()).split(QLatin1Char('\n'));
    const QStringList b = QString::fromUtf8(QJsonDocument(actual).toJson()).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i))
            return QStringLiteral("line %1: expected %2, got %3").arg(i).arg(a.value(i), b.value(i));
    return {};
}

// A catalogue of two sheets with nested records, images and typed columns.
std::unique_ptr<TzkReelkeep> generatedCatalogue(QRandomGenerator& random)
{
    auto document = std::make_unique<TzkReelkeep>();
    for (const char* name : {"Фильмы", "Сериалы"}) {
        TZKList* list = document->AddList(0, QString::fromUtf8(name));
        for (int c = 0; c < kStoredColumnCount; ++c)
            list->SetColumnName(c, BuiltInColumnDefinitions()[static_cast<size_t>(c)].name);
        std::vector<TzkRow*> rows;
        for (int i = 0; i < 40; ++i) {
            TzkRow* parent = !rows.empty() && random.bounded(4) == 0 ? rows[random.bounded(quint32(rows.size()))] : nullptr;
            TzkRow* row = list->AddRow(parent);
            row->Fields[csNumber] = random.bounded(8) == 0 ? QStringLiteral("n/a") : QString::number(random.bounded(100));
            row->Fields[csTitle] = QStringLiteral("  Film %1  ").arg(random.bounded(1000));
            row->Fields[3] = QString::number(random.bounded(5000));
            row->Fields[csActors] = QStringLiteral("A ,  B,C");
            row->Fields[csColour] = QStringLiteral("00FFFFFF");
            if (random.bounded(6) == 0)
                list->Images.AddImage(QByteArray::number(random.generate()), row->ID);
            rows.push_back(row);
        }
    }
    document->CurrentList = 1;
    return document;
}

// Every record of the current sheet, nested ones too, parents first.
std::vector<TzkRow*> allRows(const TZKList& list)
{
    std::vector<TzkRow*> rows;
    for (const RowPtr& row : list.Items())
        rows.push_back(row.get());
    for (size_t i = 0; i < rows.size(); ++i)
        for (const RowPtr& child : rows[i]->Children)
            rows.push_back(child.get());
    return rows;
}

} // namespace

class UndoHistoryTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<ShellState> shell;
    ScriptedPrompts prompts;
    // Saves run on the window's worker, as in the program.
    WindowWork work{nullptr, QString()};
    std::unique_ptr<ListController> controller;

    void startWith(std::unique_ptr<TzkReelkeep> document)
    {
        controller = std::make_unique<ListController>(*shell, prompts);
        controller->setWork(work);
        controller->adopt(std::move(document));
    }
    QUndoStack& stack() { return controller->history().stack(); }

    // Any of the changes a person makes, chosen by the generator; false when it made no step.
    void randomCommand(QRandomGenerator& random, QString& name)
    {
        ListController& c = *controller;
        TZKList* list = c.currentList();
        const std::vector<TzkRow*> rows = allRows(*list);
        const auto anyRow = [&]() { return rows.empty() ? nullptr : rows[random.bounded(quint32(rows.size()))]; };
        const auto someRows = [&](int most) {
            std::vector<TzkRow*> chosen;
            for (int n = 1 + static_cast<int>(random.bounded(most)); n > 0 && !rows.empty(); --n)
                chosen.push_back(anyRow());
            return chosen;
        };
        const auto parentOf = [&](const TzkRow* row) -> TzkRow* {
            return row ? list->FindRowByID(row->GroupID) : nullptr;
        };
        const int column = static_cast<int>(random.bounded(kStoredColumnCount));
        switch (random.bounded(19)) {
        case 0:
        case 1: { // typing: a few keystrokes in one field
            name = QStringLiteral("typing");
            TzkRow* row = anyRow();
            QString text = row ? row->Fields[static_cast<size_t>(column)] : QString();
            for (int keys = 1 + static_cast<int>(random.bounded(4)); keys > 0; --keys) {
                text = random.bounded(5) == 0 ? text.left(text.size() - 1) : text + QChar(u'a' + random.bounded(26));
                c.setCell(row, column, text);
            }
            break;
        }
        case 2:
            name = QStringLiteral("cells");
            c.setCells(someRows(8), column, [&](const QString& cell) { return random.bounded(2) ? QStringLiteral("x") : cell + u'y'; });
            break;
        case 3: {
            name = QStringLiteral("delete");
            std::vector<TzkRow*> chosen = someRows(5);
            std::erase_if(chosen, [&](TzkRow* row) {
                for (TzkRow* up = parentOf(row); up; up = parentOf(up))
                    if (std::find(chosen.begin(), chosen.end(), up) != chosen.end())
                        return true;
                return false;
            });
            std::sort(chosen.begin(), chosen.end());
            chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
            c.deleteRows(chosen);
            break;
        }
        case 4: {
            name = QStringLiteral("group");
            TzkRow* parent = parentOf(anyRow());
            std::vector<TzkRow*> chosen = someRows(6);
            std::erase(chosen, parent);
            c.groupRows(chosen, parent);
            break;
        }
        case 5:
            name = QStringLiteral("add record");
            c.addRecord(random.bounded(2) ? parentOf(anyRow()) : nullptr);
            break;
        case 6: { // one batch of files: new records, or the current record filled
            name = QStringLiteral("entry");
            const ListController::Batch batch(c);
            if (random.bounded(2) && !rows.empty()) {
                TzkRow* current = anyRow();
                c.setCell(current, csTitle, QStringLiteral("from file"));
                c.setCell(current, 3, QStringLiteral("123"));
                c.addImage(current, QByteArrayLiteral("frame"));
            } else {
                TzkRow* parent = random.bounded(2) ? parentOf(anyRow()) : nullptr;
                for (int n = 1 + static_cast<int>(random.bounded(3)); n > 0; --n) {
                    TzkRow* row = c.addEnteredRecord(parent);
                    c.fillEnteredCell(row, csTitle, QStringLiteral("entered %1").arg(n));
                    if (random.bounded(2))
                        c.addEnteredImage(row, QByteArray::number(n));
                }
            }
            break;
        }
        case 7: { // paste: records of this sheet, another named one, or one not there yet
            name = QStringLiteral("merge");
            TzkReelkeep text;
            const char* names[] = {"", "Сериалы", "Новый"};
            TZKList* source = text.AddList(0, QString::fromUtf8(names[random.bounded(3)]));
            for (int n = static_cast<int>(random.bounded(3)); n > 0; --n)
                source->AddRow()->Fields[csTitle] = QStringLiteral("pasted");
            c.mergeText(text.SaveToString(), random.bounded(2) ? parentOf(anyRow()) : nullptr, false);
            break;
        }
        case 8:
            name = QStringLiteral("add sheet");
            c.addSheet();
            break;
        case 9:
            name = QStringLiteral("delete sheet");
            c.deleteCurrentSheet();
            break;
        case 10: {
            name = QStringLiteral("rename");
            QString text = list->Name;
            for (int keys = 1 + static_cast<int>(random.bounded(3)); keys > 0; --keys)
                c.renameCurrentSheet(text += u'z');
            break;
        }
        case 11:
            name = QStringLiteral("switch sheet");
            c.switchSheet(static_cast<int>(random.bounded(c.document()->ListCount())));
            break;
        case 12:
            name = QStringLiteral("sort");
            c.sortBy(static_cast<int>(random.bounded(4)));
            break;
        case 13:
            name = QStringLiteral("tidy");
            c.tidyColumn(random.bounded(2) ? csActors : csTitle);
            break;
        case 14: {
            name = QStringLiteral("columns");
            std::vector<ColumnDefinitions> sheets;
            for (int k = 0; k < c.document()->ListCount(); ++k) {
                ColumnDefinitions definitions = BuiltInColumnDefinitions();
                definitions[static_cast<size_t>(column)].name = QStringLiteral("Column %1").arg(random.bounded(100));
                definitions[static_cast<size_t>(column)].type = static_cast<std::uint8_t>(random.bounded(3));
                sheets.push_back(definitions);
            }
            c.setColumnSettings(QStringLiteral("Author %1").arg(random.bounded(10)), sheets);
            break;
        }
        case 15:
            name = QStringLiteral("add image");
            c.addImage(anyRow(), QByteArray::number(random.generate()));
            break;
        case 16: {
            name = QStringLiteral("remove image");
            TzkRow* row = anyRow();
            if (row && list->Images.ImageCount(row->ID) > 0)
                c.removeImage(row, static_cast<int>(random.bounded(list->Images.ImageCount(row->ID))));
            break;
        }
        case 17:
            name = QStringLiteral("colour");
            c.setCells(someRows(4), csColour, [](const QString&) { return QStringLiteral("000000FF"); });
            break;
        default:
            name = QStringLiteral("save");
            QVERIFY(c.saveAs(folder.filePath(QStringLiteral("saved.xkdx"))));
            QVERIFY(QTest::qWaitFor([this] { return !work.isRunning(); }, 20000));
            break;
        }
    }

    void runSeed(quint32 seed, int commands)
    {
        QRandomGenerator random(seed);
        startWith(generatedCatalogue(random));
        controller->history().setLimits(commands + 1, std::size_t(1) << 40);
        // The state at each place of the history, and the sheet shown before and after each step.
        std::vector<Snapshot> states{snapshotOf(*controller)};
        std::vector<int> sheetBefore{0};
        int clean = 0;
        QStringList done;
        const auto check = [&](const QString& what) {
            const Snapshot now = snapshotOf(*controller);
            const Snapshot& expected = states[static_cast<size_t>(stack().index())];
            QVERIFY2(now.lists == expected.lists, qPrintable(QStringLiteral("seed %1 after %2 (%3): %4")
                                                                 .arg(seed).arg(what, done.mid(done.size() - 8).join(QStringLiteral(", ")),
                                                                      firstDifference(expected.lists, now.lists))));
            QVERIFY2(controller->isModified() == (stack().index() != clean), qPrintable(what));
        };
        for (int i = 0; i < commands; ++i) {
            const int roll = static_cast<int>(random.bounded(100));
            if (roll < 15 && stack().canUndo()) {
                const int step = stack().index();
                stack().undo();
                done << QStringLiteral("undo");
                check(QStringLiteral("undo"));
                QCOMPARE(controller->document()->CurrentList, sheetBefore[static_cast<size_t>(step)]);
                continue;
            }
            if (roll < 25 && stack().canRedo()) {
                stack().redo();
                done << QStringLiteral("redo");
                check(QStringLiteral("redo"));
                QCOMPARE(controller->document()->CurrentList, states[static_cast<size_t>(stack().index())].current);
                continue;
            }
            const int before = controller->document()->CurrentList;
            const int index = stack().index();
            const Snapshot start = snapshotOf(*controller);
            QString name;
            randomCommand(random, name);
            done << name;
            if (name == QLatin1String("save"))
                clean = stack().index();
            if (stack().index() > index || (stack().index() == index && snapshotOf(*controller).lists != start.lists)) {
                // A new step, or keystrokes merged into the last one.
                if (clean > index)
                    clean = -1;
                states.resize(static_cast<size_t>(stack().index()) + 1);
                sheetBefore.resize(states.size());
                states.back() = snapshotOf(*controller);
                if (stack().index() > index)
                    sheetBefore.back() = before;
            }
            check(name);
        }
        while (stack().canUndo())
            stack().undo();
        QCOMPARE(snapshotOf(*controller).lists, states.front().lists);
        QCOMPARE(controller->document()->CurrentList, 1);
        while (stack().canRedo())
            stack().redo();
        QCOMPARE(snapshotOf(*controller).lists, states.back().lists);
        QCOMPARE(controller->document()->CurrentList, states.back().current);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        shell = std::make_unique<ShellState>(folder.path());
        shell->reloadSettings();
    }

    void randomCommandsUndoAndRedoExactly_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2024u, 31337u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void randomCommandsUndoAndRedoExactly()
    {
        QFETCH(quint32, seed);
        runSeed(seed, kCommandsPerSeed);
    }

    // Keystrokes in one field of one record are one step; another field starts another.
    void typingMergesPerFieldAndRecord()
    {
        QRandomGenerator random(5);
        startWith(generatedCatalogue(random));
        TzkRow* first = controller->currentList()->Row(0);
        TzkRow* second = controller->currentList()->Row(1);
        const QString original = first->Fields[csTitle];
        for (const char* text : {"M", "Ma", "Mat"})
            controller->setCell(first, csTitle, QString::fromUtf8(text));
        controller->setCell(second, csTitle, QStringLiteral("X"));
        controller->setCell(first, 3, QStringLiteral("7"));
        QCOMPARE(stack().count(), 3);
        QCOMPARE(stack().text(0), QStringLiteral("ввод в поле «Название»"));
        stack().undo();
        stack().undo();
        stack().undo();
        QCOMPARE(first->Fields[csTitle], original);
        QVERIFY(!controller->isModified());
        // Typed back to what it was, the step goes.
        stack().redo();
        controller->setCell(first, csTitle, original);
        QCOMPARE(stack().count(), 0);
        QVERIFY(!controller->isModified());
    }

    // The oldest steps go past the step limit and past the memory limit; a step larger than
    // the whole memory limit is asked about, and done without undo only when the person agrees.
    void limitsDropTheOldestAndAskAboutHugeSteps()
    {
        QRandomGenerator random(9);
        startWith(generatedCatalogue(random));
        controller->history().setLimits(5, 4000);
        TzkRow* row = controller->currentList()->Row(0);
        for (int i = 0; i < 8; ++i)
            controller->setCells({row}, csTitle, [i](const QString&) { return QString::number(i); });
        QCOMPARE(stack().count(), 5);
        controller->history().markSaved();
        controller->setCells({row}, csDescription, [](const QString&) { return QString(1500, u'd'); });
        QVERIFY(stack().count() < 5);
        QVERIFY(controller->history().heldBytes() <= 4000);
        // The saved state stays where it was among the steps kept.
        stack().undo();
        QVERIFY(!controller->isModified());
        while (stack().canUndo())
            stack().undo();
        QVERIFY(controller->isModified());

        // A deleted record's cells are kept by its step, and counted against the limit.
        controller->history().forget(false);
        TzkRow* leaf = std::find_if(controller->currentList()->Items().begin(), controller->currentList()->Items().end(),
                                    [](const RowPtr& top) { return top->Children.empty(); })->get();
        leaf->Fields[csDescription] = QString(1000, u'd');
        controller->deleteRows({leaf});
        QCOMPARE(stack().count(), 1);
        QVERIFY(controller->history().heldBytes() >= 2000);
        stack().undo();

        const int records = controller->currentList()->RowCount();
        std::vector<TzkRow*> all;
        for (const RowPtr& top : controller->currentList()->Items())
            all.push_back(top.get());
        const size_t asked = prompts.asked.size();
        prompts.answers = {PromptButton::No};
        controller->deleteRows(all);
        QCOMPARE(prompts.asked.size(), asked + 1);
        QCOMPARE(controller->currentList()->RowCount(), records);
        prompts.answers = {PromptButton::Yes};
        controller->deleteRows(all);
        QCOMPARE(controller->currentList()->RowCount(), 0);
        QCOMPARE(stack().count(), 0);
        QVERIFY(controller->isModified());
    }
};

QTEST_MAIN(UndoHistoryTest)
#include "UndoHistoryTest.moc"
