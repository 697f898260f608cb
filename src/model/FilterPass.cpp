#include "FilterPass.h"

#include "CodePage.h"
#include "TSyntaxAnalizer.h"
#include "TZKList.h"

namespace reelkeep {
namespace {

// The colour column, last but one; its filter applies to top-level rows only.
constexpr int kLastNestedFilterColumn = 19;

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

// The mask a column's filter text stands for: the text passed through the code page, then normalised.
std::unique_ptr<TzkMask> maskOf(const QString& filterText)
{
    return std::make_unique<TzkMask>(normaliser().Analize(CodePage::Default().roundTrip(filterText)));
}

} // namespace

FilterPass::FilterPass(const TZKList& list) : m_list(&list)
{
    std::vector<std::size_t> columns;
    for (int c = 0; c <= list.ColumnCount() - 2; ++c) {
        const QString& text = list.Column(c).FilterText;
        if (text.isEmpty())
            continue;
        m_filters.push_back({maskOf(text), c > kLastNestedFilterColumn});
        columns.push_back(static_cast<std::size_t>(c));
    }
    // Depth first, each subtree's end filled in once its last descendant is in.
    std::vector<std::pair<const TzkRow*, std::size_t>> pending;
    for (auto top = list.Items().rbegin(); top != list.Items().rend(); ++top)
        pending.emplace_back(top->get(), 0);
    std::vector<std::size_t> open; // positions of rows whose descendants are still being copied
    while (!pending.empty()) {
        const auto [row, depth] = pending.back();
        pending.pop_back();
        while (open.size() > depth) {
            m_ends[open.back()] = m_rows.size();
            open.pop_back();
        }
        open.push_back(m_rows.size());
        m_rows.push_back(const_cast<TzkRow*>(row));
        m_ends.push_back(0);
        for (const std::size_t c : columns)
            m_cells.push_back(row->Fields[c]);
        for (auto child = row->Children.rbegin(); child != row->Children.rend(); ++child)
            pending.emplace_back(child->get(), depth + 1);
    }
    for (const std::size_t position : open)
        m_ends[position] = m_rows.size();
}

bool FilterPass::failsFilters(std::size_t row, bool topLevel) const
{
    for (std::size_t f = 0; f < m_filters.size(); ++f)
        if ((topLevel || !m_filters[f].topLevelOnly) && !cellMatches(*m_filters[f].mask, m_cells[row * m_filters.size() + f]))
            return true;
    return false;
}

bool FilterPass::filterLevel(std::size_t first, std::size_t end, bool topLevel, std::vector<char>& flags) const
{
    bool anyVisible = false;
    for (std::size_t row = first; row < end; row = m_ends[row]) {
        bool filtered = failsFilters(row, topLevel);
        // A row with children stays when it matches or one of its descendants stays.
        if (m_ends[row] > row + 1)
            filtered = filterLevel(row + 1, m_ends[row], false, flags) && filtered;
        flags[row] = filtered;
        anyVisible = anyVisible || !filtered;
    }
    return !anyVisible;
}

std::vector<char> FilterPass::run(const std::function<bool()>& stopped) const
{
    std::vector<char> flags(m_rows.size());
    // A top-level row at a time, so that a pass no longer wanted ends soon.
    constexpr std::size_t kRowsBetweenChecks = 4096;
    std::size_t sinceCheck = 0;
    for (std::size_t row = 0; row < m_rows.size(); row = m_ends[row]) {
        if (stopped && ++sinceCheck == kRowsBetweenChecks) {
            sinceCheck = 0;
            if (stopped())
                return {};
        }
        filterLevel(row, m_ends[row], true, flags);
    }
    return flags;
}

void FilterPass::apply(TZKList& list, const std::vector<char>& flags) const
{
    for (std::size_t row = 0; row < m_rows.size() && row < flags.size(); ++row)
        m_rows[row]->Filtered = flags[row] != 0;
    list.invalidateVisible();
}

} // namespace reelkeep
