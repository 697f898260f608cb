#include "ListSorter.h"

#include "CodePage.h"
#include "IntegerText.h"
#include "ReelkeepError.h"
#include "TZKList.h"

#include <QHash>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace reelkeep {
namespace {

// What the comparisons need of one position: whether its cell is empty, the rank
// of its key among the keys of the level and the identity of its exact text.
struct SortPosition {
    bool filtered = false;
    bool empty = false;
    int key = 0;
    int text = 0;
};

// Digit-only texts are their value; anything else counts as 0.
std::int64_t numberKey(const QString& cell)
{
    if (cell.isEmpty() || !std::all_of(cell.begin(), cell.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return 0;
    const std::optional<qint64> value = ParseInteger(cell, 0, std::numeric_limits<std::int64_t>::max());
    if (!value)
        throw ConversionError(Message("TooLargeToSort").arg(cell));
    return *value;
}

std::int64_t dateKey(const QString& cell, const LocaleFormats& formats)
{
    return formats.toDate(CodePage::Default().roundTrip(cell)).toJulianDay();
}

// Ranks the keys of one level. Each row is read once, in order; the cells' texts
// and text keys are copied into two arenas so that the ranking sort compares
// contiguous memory instead of chasing rows.
class LevelKeys {
public:
    LevelKeys(const std::vector<RowPtr>& rows, size_t column, std::uint8_t kind, const LocaleFormats& formats)
        : m_kind(kind), m_entries(rows.size())
    {
        m_keyed.reserve(rows.size());
        // Room for cells of a usual length: grown from nothing, the arenas would be copied a dozen times over.
        constexpr size_t typicalCellLength = 24;
        m_texts.reserve(rows.size() * typicalCellLength);
        if (m_kind == 0)
            m_keys.reserve(rows.size() * typicalCellLength);
        // Rows lie scattered in memory once sorted: asking for the rows, and then for
        // their cells' characters, some steps ahead hides most of the wait for them.
        constexpr size_t ahead = 8;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (i + 2 * ahead < rows.size()) {
                __builtin_prefetch(rows[i + 2 * ahead].get());
                __builtin_prefetch(&rows[i + 2 * ahead]->Fields[column]);
            }
            if (i + ahead < rows.size())
                __builtin_prefetch(rows[i + ahead]->Fields[column].constData());
            const TzkRow& row = *rows[i];
            const QString& cell = row.Fields[column];
            m_entries[i].filtered = row.Filtered;
            m_entries[i].empty = cell.isEmpty();
            if (!cell.isEmpty())
                m_keyed.push_back(read(cell, std::uint32_t(i), formats));
        }
    }

    // Equal keys share a rank and identical texts a text number. Called once: it hands over the entries.
    std::vector<SortPosition> rank()
    {
        std::sort(m_keyed.begin(), m_keyed.end(), [this](const Keyed& a, const Keyed& b) {
            if (a.head != b.head)
                return a.head < b.head;
            if (m_kind == 0) {
                if (const int order = keyOf(a).compare(keyOf(b)))
                    return order < 0;
            }
            return textOf(a) < textOf(b);
        });
        int key = -1;
        int text = -1;
        for (size_t k = 0; k < m_keyed.size(); ++k) {
            const Keyed& cell = m_keyed[k];
            if (k == 0 || !sameKey(m_keyed[k - 1], cell)) {
                ++key;
                ++text;
            } else if (textOf(m_keyed[k - 1]) != textOf(cell)) {
                ++text;
            }
            m_entries[cell.position].key = key;
            m_entries[cell.position].text = text;
        }
        return std::move(m_entries);
    }

private:
    // One non-empty cell. head orders most keys on its own: for text, the first eight
    // key bytes big-endian (zero-padded); for numbers and dates, the value in unsigned order.
    struct Keyed {
        std::uint64_t head;
        size_t start; // of the cell's characters in m_texts and, for text, of its key in m_keys
        size_t size;
        std::uint32_t position;
    };

    Keyed read(const QString& cell, std::uint32_t position, const LocaleFormats& formats)
    {
        Keyed keyed{0, m_texts.size(), size_t(cell.size()), position};
        m_texts.append(reinterpret_cast<const char16_t*>(cell.constData()), keyed.size);
        if (m_kind == 0) {
            // The text lower-cased as bytes of the 8-bit code page.
            const CodePage& page = CodePage::Default();
            for (const QChar c : cell)
                m_keys.push_back(static_cast<char>(page.lowerByte(page.fromUnicode(c))));
            for (size_t k = 0; k < 8; ++k) {
                const unsigned byte = k < keyed.size ? static_cast<unsigned char>(m_keys[keyed.start + k]) : 0u;
                keyed.head = keyed.head << 8 | byte;
            }
        } else {
            const std::int64_t value = m_kind == 1 ? numberKey(cell) : dateOf(cell, formats);
            keyed.head = static_cast<std::uint64_t>(value) ^ (std::uint64_t(1) << 63);
        }
        return keyed;
    }

    // Catalogues repeat dates a lot (a day's additions), and reading one is slow.
    std::int64_t dateOf(const QString& cell, const LocaleFormats& formats)
    {
        auto known = m_dates.constFind(cell);
        if (known == m_dates.constEnd())
            known = m_dates.insert(cell, dateKey(cell, formats));
        return *known;
    }

    // std::string_view compares its bytes as unsigned, as the key order requires.
    std::string_view keyOf(const Keyed& k) const { return std::string_view(m_keys).substr(k.start, k.size); }
    std::u16string_view textOf(const Keyed& k) const { return std::u16string_view(m_texts).substr(k.start, k.size); }
    bool sameKey(const Keyed& a, const Keyed& b) const
    {
        return a.head == b.head && (m_kind != 0 || keyOf(a) == keyOf(b));
    }

    std::uint8_t m_kind;
    std::vector<SortPosition> m_entries;
    std::vector<Keyed> m_keyed;
    std::u16string m_texts;
    std::string m_keys;
    QHash<QString, std::int64_t> m_dates;
};

// A segment tree over the positions of one level whose root names the row the
// selection scan would pick among the positions still in the tree. That pick is
// not a plain minimum: ascending, a different text of an equal key replaces the
// running best while an identical text keeps it, so the winner of a key group is
// the start of its last run of identical texts. Each node therefore also keeps the
// text of its group's last member and whether that run spans its whole group.
class Tournament {
public:
    Tournament(const std::vector<SortPosition>& entries, bool descending) : m_descending(descending)
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
    void set(size_t position, const SortPosition& entry) { update(position, leaf(position, entry)); }
    void remove(size_t position) { update(position, Node{}); }

private:
    struct Node {
        enum class State : std::uint8_t { None, Empty, Keyed };
        State state = State::None;
        bool runIsWholeGroup = false; // ascending: the last run of identical texts is the whole group
        int key = 0;                  // rank of the best key
        int lastText = 0;             // ascending: text of the group's last member
        int pick = 0;                 // the position the scan picks within this node

        bool operator==(const Node&) const = default;
    };

    static Node leaf(size_t position, const SortPosition& entry)
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
        for (k /= 2; k > 0; k /= 2) {
            const Node joined = combine(m_nodes[2 * k], m_nodes[2 * k + 1]);
            if (joined == m_nodes[k])
                break; // nothing above can change either
            m_nodes[k] = joined;
        }
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
    std::vector<SortPosition> entries = LevelKeys(rows, m_column, m_kind, m_formats).rank();

    // The selection sort: each unfiltered position takes the row that the scan over
    // it and the unfiltered rows after it picks; filtered rows stay where they are.
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
    // A second sort by the same column reverses it; a sort that fails changes neither.
    const bool descending = column == SortColumn ? !SortDescending : SortDescending;
    SortColumn = column;
    invalidateVisible();
    ListSorter(column, kind, descending, Formats).sortTree(m_items);
    SortDescending = descending;
}

} // namespace reelkeep
