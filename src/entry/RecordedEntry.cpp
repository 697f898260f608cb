#include "RecordedEntry.h"

#include <algorithm>

namespace reelkeep {

RecordedEntry::RecordedEntry(const TZKList& list, const TzkRow* current)
    : ListEntryTarget(m_scratch), m_scratch(list.ColumnCount(), 0, BuiltInColumnDefinitions(), list.Formats)
{
    for (int c = 0; c < list.ColumnCount(); ++c) {
        TzkColumn& column = m_scratch.Column(c);
        const TzkColumn& source = list.Column(c);
        column.Name = source.Name;
        column.Type = source.Type;
        column.Pattern = source.Pattern;
    }
    if (current) {
        TzkRow* copy = m_scratch.AddRow();
        copy->Fields = current->Fields;
        m_copyOfCurrent = copy;
        Current = copy;
    }
}

TzkRow* RecordedEntry::AddEmptyRecord()
{
    TzkRow* row = ListEntryTarget::AddEmptyRecord();
    m_steps.push_back({static_cast<int>(m_added.size()), EntryStep::kAddRecord, {}});
    m_added.push_back(row);
    return row;
}

void RecordedEntry::StoreCell(TzkRow& row, int column, const QString& text)
{
    ListEntryTarget::StoreCell(row, column, text);
    int record = EntryStep::kCurrentRecord;
    if (&row != m_copyOfCurrent) {
        // Cells go to the record added last, so the search is short from the end.
        const auto found = std::find(m_added.rbegin(), m_added.rend(), &row);
        record = static_cast<int>(std::distance(found, m_added.rend())) - 1;
    }
    m_steps.push_back({record, column, text});
}

} // namespace reelkeep
