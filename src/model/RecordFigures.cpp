#include "RecordFigures.h"

#include "Statistics.h"
#include "TextUtils.h"

namespace reelkeep {
namespace {
// Slots of the built-in definitions that have no fill pattern of their own.
constexpr int kYearSlot = 11;
constexpr int kGenreSlot = 17;
} // namespace

RecordColumns RecordColumns::Of(const TZKList& list)
{
    RecordColumns columns;
    const int count = std::min(list.ColumnCount(), kStoredColumnCount);
    if (kYearSlot < count)
        columns.Year = kYearSlot;
    columns.Size = FindColumnByPattern(list, QStringLiteral("%Size%"));
    columns.Length = FindColumnByPattern(list, QStringLiteral("%VidLength%"));
    columns.Genre = FindColumnByPattern(list, QStringLiteral("%Genre%"));
    if (columns.Genre < 0 && kGenreSlot < count)
        columns.Genre = kGenreSlot;
    return columns;
}

std::optional<int> CellNumber(const TzkRow& row, int column)
{
    if (column < 0 || column >= kColumnCount)
        return std::nullopt;
    const QString& cell = row.Fields[static_cast<size_t>(column)];
    if (cell.size() > 9 || !IsNumber(cell))
        return std::nullopt;
    return cell.toInt();
}

} // namespace reelkeep
