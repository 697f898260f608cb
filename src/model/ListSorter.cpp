#include "ListSorter.h"

#include "CodePage.h"
#include "ReelkeepError.h"
#include "TZKList.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

namespace reelkeep {
namespace {

// What the comparisons need of one position: whether its cell is empty, the rank
// of its key among the keys of the level and the identity of its exact text.
struct Entry {
    bool filtered = false;
    bool empty = false;
    int key = 0;
    int text = 0;
};

// The cell lower-cased as 8-bit bytes; std::string compares them as unsigned bytes.
std::string textKey(const QString& cell)
{
    const CodePage& page = CodePage::Default();
    std::string key(size_t(cell.size()), '\0');
    for (qsizetype k = 0; k < cell.size(); ++k)
        key[size_t(k)] = static_cast<char>(page.lowerByte(page.fromUnicode(cell[k])));
    return key;
}

// Digit-only texts are their value; anything else counts as 0.
std::int64_t numberKey(const QString& cell)
{
    if (!std::all_of(cell.begin(), cell.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return 0;
    std::int64_t value = 0;
    for (const QChar c : cell) {
        const int digit = c.unicode() - u'0';
        if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10)
            throw ConversionError(QStringLiteral("'%1' is too large a number to sort by").arg(cell));
        value = value * 10 + digit;
    }
    return value;
}

std::int64_t dateKey(const QString& cell, const LocaleFormats& formats)
{
    return formats.toDate(CodePage::Default().roundTrip(cell)).toJulianDay();
}

// Ranks the keys of the non-empty positions; equal keys share a rank, identical texts a text number.
template <typename Key>
void rankKeys(const std::vector<RowPtr>& rows, size_t column, const std::vector<Key>& keys,
              std::vector<int> positions, std::vector<Entry>& entries)
{
    const auto cell = [&](int i) -> const QString& { return rows[size_t(i)]->Fields[column]; };
    std::sort(positions.begin(), positions.end(), [&](int a, int b) {
        return keys[size_t(a)] != keys[size_t(b)] ? keys[size_t(a)] < keys[size_t(b)] : cell(a) < cell(b);
    });
    int key = -1;
    int text = -1;
    for (size_t k = 0; k < positions.size(); ++k) {
        const int i = positions[k];
        const int previous = k > 0 ? positions[k - 1] : -1;
        if (previous < 0 || keys[size_t(previous)] != keys[size_t(i)]) {
            ++key;
            ++text;
        } else if (cell(previous) != cell(i)) {
            ++text;
        }
        entries[size_t(i)].key = key;
        entries[size_t(i)].text = text;
    }
}

// A segment tree over the positions of one level whose root names the row the
// selection scan would pick among the positions still in the tree. That pick is
// not a plain minimum: ascending, a different text of an equal key replaces the
// running best while an identical text keeps it, so the winner of a key group is
// the start of its last run of identical texts. Each node therefore also keeps the
// text of its group's last member and whether that run spans its whole group.
class Tournament {
public:
    Tournament(const std::vector<Entry>& entries, bool descending) : m_descending(descending)
    {
        while (m_leaves < entries.size())
            m_leaves *= 2;
        m_nodes.resize(2 * m_leaves);
        for (size_t i = 0; i < entries.size(); ++i)
            m_nodes[m_leaves + i] = leaf(i, entries[i]);
        for (size_t k = m_leaves - 1; k > 0; --k)
            m_nodes[k] = combine(m_nodes[2 * k], m_nodes[2 * k + 1]);
    }

    size_t winner() const { return size_t(m_nodes[1].pick); }
    void set(size_t position, const Entry& entry) { update(position, leaf(position, entry)); }
    void remove(size_t position) { update(position, Node{}); }

private:
    struct Node {
        enum class State : std::uint8_t { None, Empty, Keyed };
        State state = State::None;
        bool runIsWholeGroup = false; // ascending: the last run of identical texts is the whole group
        int key = 0;                  // rank of the best key
        int lastText = 0;             // ascending: text of the group's last member
        int pick = 0;                 // the position the scan picks within this node
    };

    static Node leaf(size_t position, const Entry& entry)
    {
        if (entry.filtered)
            return Node{};
        const auto state = entry.empty ? Node::State::Empty : Node::State::Keyed;
        return Node{state, true, entry.key, entry.text, static_cast<int>(position)};
    }

    // l covers the positions before those of r.
    Node combine(const Node& l, const Node& r) const
    {
        if (r.state == Node::State::None)
            return l;
        if (l.state == Node::State::None)
            return r;
        if (l.state != r.state)
            return l.state == Node::State::Keyed ? l : r; // a non-empty cell beats every empty one
        if (l.state == Node::State::Empty)
            return m_descending ? r : l; // descending, each further empty cell replaces the best
        if (l.key != r.key)
            return (l.key < r.key) != m_descending ? l : r;
        if (m_descending)
            return l; // the first of equal keys stays
        Node joined = r;
        if (r.runIsWholeGroup && r.lastText == l.lastText) {
            joined.pick = l.pick;
            joined.runIsWholeGroup = l.runIsWholeGroup;
        } else {
            joined.runIsWholeGroup = false;
        }
        return joined;
    }

    void update(size_t position, const Node& node)
    {
        size_t k = m_leaves + position;
        m_nodes[k] = node;
        for (k /= 2; k > 0; k /= 2)
            m_nodes[k] = combine(m_nodes[2 * k], m_nodes[2 * k + 1]);
    }

    bool m_descending;
    size_t m_leaves = 1;
    std::vector<Node> m_nodes;
};

} // namespace

ListSorter::ListSorter(int column, std::uint8_t kind, bool descending, const LocaleFormats& formats)
    : m_column(size_t(column)), m_kind(kind), m_descending(descending), m_formats(formats)
{
}

void ListSorter::sortTree(std::vector<RowPtr>& rows) const
{
    sortLevel(rows);
    for (const auto& row : rows)
        if (!row->Children.empty())
            sortTree(row->Children);
}

void ListSorter::sortLevel(std::vector<RowPtr>& rows) const
{
    if (!knowsKind(m_kind) || m_column >= kColumnCount || rows.empty())
        return;

    // Every key of the level is read before anything moves, so a bad cell leaves the level as it was.
    std::vector<Entry> entries(rows.size());
    std::vector<int> keyed;
    for (size_t i = 0; i < rows.size(); ++i) {
        entries[i].filtered = rows[i]->Filtered;
        entries[i].empty = rows[i]->Fields[m_column].isEmpty();
        if (!entries[i].empty)
            keyed.push_back(int(i));
    }
    if (m_kind == 0) {
        std::vector<std::string> keys(rows.size());
        for (const int i : keyed)
            keys[size_t(i)] = textKey(rows[size_t(i)]->Fields[m_column]);
        rankKeys(rows, m_column, keys, std::move(keyed), entries);
    } else {
        std::vector<std::int64_t> keys(rows.size());
        for (const int i : keyed) {
            const QString& cell = rows[size_t(i)]->Fields[m_column];
            keys[size_t(i)] = m_kind == 1 ? numberKey(cell) : dateKey(cell, m_formats);
        }
        rankKeys(rows, m_column, keys, std::move(keyed), entries);
    }

    // The selection sort: each unfiltered position takes the row the scan over it and the later unfiltered rows picks.
    Tournament tournament(entries, m_descending);
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        if (entries[i].filtered)
            continue;
        const size_t best = tournament.winner();
        tournament.remove(i);
        if (best != i) {
            std::swap(rows[i], rows[best]);
            std::swap(entries[i], entries[best]);
            tournament.set(best, entries[best]);
        }
    }
}

void TZKList::Sort(int column, std::uint8_t kind)
{
    if (column != SortColumn)
        SortColumn = column;
    else
        SortDescending = !SortDescending;
    invalidateVisible();
    ListSorter(column, kind, SortDescending, Formats).sortTree(m_items);
}

} // namespace reelkeep
