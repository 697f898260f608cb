// Catalogues made for the interface tests, and helpers that wait for loads.
#pragma once

#include "ListController.h"
#include "TfmList.h"
#include "TzkReelkeep.h"

#include "../support/CliRunner.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

namespace reelkeep::testing {

struct SampleRow {
    const char* title;
    const char* size;
    const char* colour;
};

// A catalogue of two sheets: the first holds unsorted films, one of them a group of two,
// and coloured rows; column names are the built-in ones with column 1 named titleColumn.
inline void WriteSampleCatalogue(const QString& path, const QString& titleColumn = QStringLiteral("Название"))
{
    TzkReelkeep doc;
    TZKList* films = doc.AddList(0, QStringLiteral("Фильмы"));
    TZKList* series = doc.AddList(0, QStringLiteral("Сериалы"));
    for (TZKList* list : {films, series}) {
        for (int c = 0; c < kStoredColumnCount; ++c)
            list->SetColumnName(c, BuiltInColumnDefinitions()[static_cast<size_t>(c)].name);
        list->SetColumnName(1, titleColumn);
    }
    const SampleRow rows[] = {{"Шахматы", "700", "000000FF"}, {"Амели", "650", ""}, {"Матрица 2", "90", "0000FF00"},
                              {"Жмурки", "n/a", "zz"}};
    for (const SampleRow& r : rows) {
        TzkRow* row = films->AddRow();
        row->Fields[csTitle] = QString::fromUtf8(r.title);
        row->Fields[3] = QString::fromUtf8(r.size);
        row->Fields[csColour] = QString::fromUtf8(r.colour);
    }
    TzkRow* group = films->AddRow();
    group->Fields[csTitle] = QStringLiteral("Бригада");
    for (const char* part : {"Бригада 1", "Бригада 2"})
        films->AddRow(group)->Fields[csTitle] = QString::fromUtf8(part);
    series->AddRow()->Fields[csTitle] = QStringLiteral("Остров");
    doc.SaveToFile(path);
}

// Waits until the window's catalogue is loaded (or failed); true when it loaded.
inline bool WaitLoaded(TfmList* list)
{
    if (!list)
        return false;
    if (list->controller().document() && !list->controller().isLoading())
        return true;
    QSignalSpy done(list, &TfmList::loadDone);
    return done.wait(20000) && done.front().front().toBool();
}

// The titles (cell 1) of the records of list n, depth first, as reelkeep-cli prints them.
inline QStringList CliTitles(const QJsonObject& dump, int list = 1)
{
    QStringList titles;
    const std::function<void(const QJsonArray&)> walk = [&](const QJsonArray& rows) {
        for (const QJsonValue& row : rows) {
            titles << row[QStringLiteral("cells")].toArray()[1].toString();
            walk(row[QStringLiteral("children")].toArray());
        }
    };
    walk(dump[QStringLiteral("lists")].toArray()[list - 1][QStringLiteral("rows")].toArray());
    return titles;
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

} // namespace reelkeep::testing
