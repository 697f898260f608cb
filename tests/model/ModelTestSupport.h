// Small helpers for building lists in model tests.
#pragma once

#include "ReelkeepError.h"
#include "TZKLists.h"

#include <limits>

#include <QString>

namespace reelkeep::testing {

// Where a list of makeList() keeps the cells the duplicate search and the charts read.
constexpr int kSize = 3, kYear = 11, kLength = 12, kGenre = 17;

inline std::unique_ptr<TZKList> makeList()
{
    return std::make_unique<TZKList>(kColumnCount, 0, BuiltInColumnDefinitions(), LocaleFormats::russian());
}

inline TzkRow* addRow(TZKList& list, int column, const char* text, TzkRow* parent = nullptr)
{
    TzkRow* row = list.AddRow(parent);
    row->Fields[static_cast<size_t>(column)] = QString::fromUtf8(text);
    return row;
}

// The IDs of the top-level rows in order, e.g. "3 1 2".
inline QString idOrder(const TZKList& list)
{
    QStringList ids;
    for (int i = 0; i < list.RowCount(); ++i)
        ids << QString::number(list.Row(i)->ID);
    return ids.join(QLatin1Char(' '));
}

} // namespace reelkeep::testing
