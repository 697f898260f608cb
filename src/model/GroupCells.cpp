#include "GroupCells.h"

#include "TextUtils.h"

namespace reelkeep {
namespace {

QString commonPrefix(const std::vector<TzkRow*>& rows, size_t column)
{
    const QString& first = rows.front()->Fields[column];
    qsizetype length = first.size();
    for (const TzkRow* row : rows) {
        const QString& cell = row->Fields[column];
        qsizetype same = 0;
        while (same < length && same < cell.size() && first[same].toCaseFolded() == cell[same].toCaseFolded())
            ++same;
        length = same;
    }
    return first.left(length);
}

QString numberSum(const std::vector<TzkRow*>& rows, size_t column)
{
    qulonglong sum = 0;
    for (const TzkRow* row : rows)
        if (IsNumber(row->Fields[column]))
            sum += row->Fields[column].toULongLong();
    return QString::number(sum);
}

} // namespace

void FillGroupCells(TzkRow& group, const std::vector<TzkRow*>& rows, const TZKList& list)
{
    if (rows.empty())
        return;
    for (int c = 0; c < kStoredColumnCount; ++c) {
        const auto column = static_cast<size_t>(c);
        if (list.Column(c).Type == ctString)
            group.Fields[column] = commonPrefix(rows, column);
        else if (list.Column(c).Type == ctNumber)
            group.Fields[column] = numberSum(rows, column);
        else
            group.Fields[column].clear();
    }
    group.Fields[csColour] = QStringLiteral("00FFFFFF");
}

} // namespace reelkeep
