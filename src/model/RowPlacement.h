// Rows taken out of a list and put back exactly where they were, and the order of a
// list's rows kept and restored: the exact, cheap moves that undo is made of.
#pragma once

#include "TZKList.h"

#include <QByteArray>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace reelkeep {

struct TakenRow {
    TzkRow* parent = nullptr; // null at top level
    std::size_t index = 0;    // the place among the parent's rows before anything was taken
    RowPtr row;
};

struct TakenImage {
    std::size_t index = 0; // the place in the list's image pack before anything was taken
    std::int32_t owner = -1;
    QByteArray bytes;
};

struct TakenRows {
    // Container by container, outer containers before the ones nested in them, places rising.
    std::vector<TakenRow> rows;
    std::vector<TakenImage> images;

    std::size_t bytes() const;
};

// Takes the rows out of the list in one walk, each with its nested rows (a nested row
// among them is taken from its taken parent too); withImages: the images of every
// row taken go as well.
TakenRows TakeRows(TZKList& list, const std::unordered_set<const TzkRow*>& rows, bool withImages);
// The memory the rows would keep once taken: theirs, their nested rows' and their images'.
std::size_t MemoryOfRows(const TZKList& list, const std::vector<TzkRow*>& rows);
// Puts the rows and images back where TakeRows found them; the list must be as TakeRows left it.
void PutBackRows(TZKList& list, TakenRows& taken);

// The order of every row container of a list (the top level and each row's nested rows).
struct RowOrderSnapshot {
    struct Container {
        TzkRow* parent = nullptr;
        std::vector<TzkRow*> rows;
    };
    std::vector<Container> containers;
    std::int32_t sortColumn = 0;
    bool sortDescending = false;

    std::size_t bytes() const;
};

RowOrderSnapshot CaptureRowOrder(const TZKList& list);
// Puts every container back in the captured order; the rows must be the same.
void RestoreRowOrder(TZKList& list, const RowOrderSnapshot& order);

} // namespace reelkeep
