// The column filters of a list and the Filtered flags they compute.
#include "TZKList.h"

#include "CodePage.h"
#include "TSyntaxAnalizer.h"

namespace reelkeep {
namespace {

const TSimpleSyntaxAnalizer& normaliser()
{
    static const TSimpleSyntaxAnalizer analizer;
    return analizer;
}

// The cell as the masks see it: through the 8-bit code page, then normalised.
bool cellMatches(const TzkMask& mask, const QString& cell)
{
    return mask.Matches(normaliser().Analize(CodePage::Default().roundTrip(cell)));
}

// True when the row fails one of the masks of columns 0..lastColumn.
bool failsMasks(const TZKList& list, const TzkRow& row, int lastColumn)
{
    for (int c = 0; c <= lastColumn; ++c) {
        const TzkMask* mask = list.Column(c).FilterMask.get();
        if (mask && !cellMatches(*mask, row.Fields[static_cast<size_t>(c)]))
            return true;
    }
    return false;
}

// Filters the children of a row; true when none of them stays visible.
bool filterNested(const TZKList& list, TzkRow& parent)
{
    bool anyVisible = false;
    for (auto& child : parent.Children) {
        child->Filtered = failsMasks(list, *child, 19);
        // A child with children of its own stays when it matches or a descendant stays.
        if (!child->Children.empty())
            child->Filtered = filterNested(list, *child) && child->Filtered;
        anyVisible = anyVisible || !child->Filtered;
    }
    return !anyVisible;
}

} // namespace

void TZKList::SetColumnFilter(int i, const QString& text)
{
    TzkColumn& column = Column(i);
    if (text == column.FilterText)
        return;
    column.FilterText = text;
    column.FilterMask.reset();
    if (!text.isEmpty())
        column.FilterMask = std::make_unique<TzkMask>(normaliser().Analize(CodePage::Default().roundTrip(text)));
    ApplyFilter();
}

void TZKList::ApplyFilter()
{
    const int lastColumn = ColumnCount() - 2;
    for (auto& row : m_items) {
        row->Filtered = failsMasks(*this, *row, lastColumn);
        if (!row->Children.empty())
            row->Filtered = filterNested(*this, *row) && row->Filtered;
    }
    invalidateVisible();
}

} // namespace reelkeep
