// The column filters of a list and the Filtered flags they compute.
#include "TZKList.h"

#include "CodePage.h"
#include "TSyntaxAnalizer.h"

#include <utility>
#include <vector>

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
    const CodePage& page = CodePage::Default();
    // Most cells pass the code page unchanged; sharing them saves a copy per cell.
    return mask.Matches(normaliser().Analize(page.canEncode(cell) ? cell : page.roundTrip(cell)));
}

// The masks in use, by column, gathered once per filtering rather than looked up per row.
using ActiveMasks = std::vector<std::pair<size_t, const TzkMask*>>;

ActiveMasks activeMasks(const TZKList& list, int lastColumn)
{
    ActiveMasks masks;
    for (int c = 0; c <= lastColumn; ++c)
        if (const TzkMask* mask = list.Column(c).FilterMask.get())
            masks.emplace_back(static_cast<size_t>(c), mask);
    return masks;
}

// True when the row fails one of the masks.
bool failsMasks(const ActiveMasks& masks, const TzkRow& row)
{
    for (const auto& [column, mask] : masks)
        if (!cellMatches(*mask, row.Fields[column]))
            return true;
    return false;
}

// Filters the children of a row; true when none of them stays visible.
bool filterNested(const ActiveMasks& masks, TzkRow& parent)
{
    bool anyVisible = false;
    for (auto& child : parent.Children) {
        child->Filtered = failsMasks(masks, *child);
        // A child with children of its own stays when it matches or a descendant stays.
        if (!child->Children.empty())
            child->Filtered = filterNested(masks, *child) && child->Filtered;
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
    // The colour column's mask applies to top-level rows only.
    const ActiveMasks topMasks = activeMasks(*this, ColumnCount() - 2);
    const ActiveMasks nestedMasks = activeMasks(*this, 19);
    for (auto& row : m_items) {
        row->Filtered = failsMasks(topMasks, *row);
        if (!row->Children.empty())
            row->Filtered = filterNested(nestedMasks, *row) && row->Filtered;
    }
    invalidateVisible();
}

} // namespace reelkeep
