#include "ListsCopier.h"

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

ListsCopier::ListsCopier(const TZKLists& lists) : m_source(lists), m_copy(std::make_unique<TZKLists>(lists.ColumnTemplate, lists.Formats))
{
    m_copy->Autor = lists.Autor;
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
        m_copy->Lists.push_back(std::move(target));
    }
}

bool ListsCopier::step(int records)
{
    for (; m_list < m_copy->Lists.size() && m_list < m_source.Lists.size(); ++m_list, m_row = 0) {
        const TZKList& from = *m_source.Lists[m_list];
        TZKList& into = *m_copy->Lists[m_list];
        for (; m_row < from.Items().size(); ++m_row) {
            if (records-- <= 0)
                return false;
            copyRow(*from.Items()[m_row], into, nullptr);
        }
        into.MaxID = from.MaxID;
    }
    return true;
}

} // namespace reelkeep
