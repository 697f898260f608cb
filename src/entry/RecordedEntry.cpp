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
    m_steps.push_back({static_cast<int>(m_added.size()), EntryStep::kAddRecord, {}, {}});
    m_added.push_back(row);
    return row;
}

int RecordedEntry::recordOf(const TzkRow& row) const
{
    if (&row == m_copyOfCurrent)
        return EntryStep::kCurrentRecord;
    // Cells and images go to the record added last, so the search is short from the end.
    const auto found = std::find(m_added.rbegin(), m_added.rend(), &row);
    return static_cast<int>(std::distance(found, m_added.rend())) - 1;
}

void RecordedEntry::StoreCell(TzkRow& row, int column, const QString& text)
{
    ListEntryTarget::StoreCell(row, column, text);
    m_steps.push_back({recordOf(row), column, text, {}});
}

void RecordedEntry::AddImage(TzkRow& row, const QByteArray& bytes)
{
    // Kept only as a step: the scratch list's images would never reach the catalogue.
    m_steps.push_back({recordOf(row), EntryStep::kAddImage, {}, bytes});
}

} // namespace reelkeep
