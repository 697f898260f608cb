#include "ListsCopy.h"

namespace reelkeep {
namespace {

void copyRow(const TzkRow& row, TZKList& into, TzkRow* parent)
{
    auto copy = std::make_unique<TzkRow>();
    copy->ID = row.ID;
    copy->Filtered = row.Filtered;
    copy->Fields = row.Fields;
    TzkRow* placed = into.InsertRow(std::move(copy), parent);
    placed->GroupID = row.GroupID;
    for (const RowPtr& child : row.Children)
        copyRow(*child, into, placed);
}

} // namespace

std::unique_ptr<TZKLists> CopyOfLists(const TZKLists& lists)
{
    auto copy = std::make_unique<TZKLists>(lists.ColumnTemplate, lists.Formats);
    copy->Autor = lists.Autor;
    for (const auto& list : lists.Lists) {
        auto target = std::make_unique<TZKList>(0, list->RowCount(), lists.ColumnTemplate, list->Formats);
        for (const auto& column : list->Columns) {
            auto columnCopy = std::make_unique<TzkColumn>();
            columnCopy->Name = column->Name;
            columnCopy->NamesWithDot = column->NamesWithDot;
            columnCopy->SecondNames = column->SecondNames;
            columnCopy->Type = column->Type;
            columnCopy->LogicalValue = column->LogicalValue;
            columnCopy->Pattern = column->Pattern;
            columnCopy->Width = column->Width;
            columnCopy->FilterText = column->FilterText;
            target->Columns.push_back(std::move(columnCopy));
        }
        target->SortColumn = list->SortColumn;
        target->SortDescending = list->SortDescending;
        target->Name = list->Name;
        target->Images = list->Images;
        for (const RowPtr& row : list->Items())
            copyRow(*row, *target, nullptr);
        target->MaxID = list->MaxID;
        copy->Lists.push_back(std::move(target));
    }
    return copy;
}

} // namespace reelkeep
