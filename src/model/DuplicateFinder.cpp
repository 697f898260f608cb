#include "DuplicateFinder.h"

#include "RecordFigures.h"
#include "TSyntaxAnalizer.h"

#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <set>
#include <unordered_map>

namespace reelkeep {
namespace {

bool isArticle(QStringView word)
{
    static const std::set<QString> articles = [] {
        std::set<QString> set;
        for (const char* a : {"the", "a", "an", "le", "la", "les", "l", "un", "une", "der", "die", "das", "ein", "eine",
                              "el", "los", "las", "il", "lo", "gli"})
            set.insert(QString::fromLatin1(a));
        return set;
    }();
    return articles.count(word.toString()) > 0;
}

bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// Cuts the folded title into words of letters and digits; punctuation inside a word
// is dropped, except that an elided article ("l'") stands as a word of its own.
QStringList wordsOf(const QString& folded)
{
    QStringList words;
    QString word;
    const auto end = [&] {
        if (!word.isEmpty())
            words.append(std::exchange(word, QString()));
    };
    for (const QChar c : folded) {
        if (c.isLetterOrNumber())
            word += c;
        else if (c.isSpace())
            end();
        else if (isApostrophe(c) && word == QLatin1String("l"))
            end();
    }
    end();
    return words;
}

struct Entry {
    DuplicateRecord record;
    const void* family; // the parent of a nested record, else the record itself
    int order;
    std::optional<int> year, size, length;
};

// Splits entries sorted by value into runs whose neighbours differ by at most one.
template <typename Value>
std::vector<std::vector<int>> chains(std::vector<int> members, const std::vector<Entry>& entries, const Value& value)
{
    std::sort(members.begin(), members.end(), [&](int a, int b) { return value(entries[size_t(a)]) < value(entries[size_t(b)]); });
    std::vector<std::vector<int>> runs;
    for (const int m : members) {
        if (runs.empty() || value(entries[size_t(m)]) - value(entries[size_t(runs.back().back())]) > 1)
            runs.emplace_back();
        runs.back().push_back(m);
    }
    return runs;
}

class Grouper {
public:
    explicit Grouper(const std::vector<Entry>& entries) : m_entries(entries) {}

    // Kept when the records come from at least two families.
    void offer(std::vector<int> members)
    {
        if (members.size() < 2)
            return;
        const void* first = m_entries[size_t(members.front())].family;
        if (std::all_of(members.begin(), members.end(), [&](int m) { return m_entries[size_t(m)].family == first; }))
            return;
        std::sort(members.begin(), members.end());
        m_groups.push_back(std::move(members));
    }

    std::vector<DuplicateGroup> result()
    {
        std::stable_sort(m_groups.begin(), m_groups.end(), [](const auto& a, const auto& b) {
            return a.size() != b.size() ? a.size() > b.size() : a.front() < b.front();
        });
        std::vector<DuplicateGroup> groups;
        groups.reserve(m_groups.size());
        for (const std::vector<int>& members : m_groups) {
            DuplicateGroup& group = groups.emplace_back();
            for (const int m : members)
                group.push_back(m_entries[size_t(m)].record);
        }
        return groups;
    }

private:
    const std::vector<Entry>& m_entries;
    std::vector<std::vector<int>> m_groups;
};

void groupByTitle(const std::vector<Entry>& entries, const std::vector<QString>& keys, Grouper& grouper)
{
    std::unordered_map<QString, std::vector<int>> byKey;
    for (size_t i = 0; i < entries.size(); ++i)
        if (!keys[i].isEmpty())
            byKey[keys[i]].push_back(static_cast<int>(i));
    for (auto& [key, members] : byKey) {
        if (members.size() < 2)
            continue;
        std::vector<int> dated, undated;
        for (const int m : members)
            (entries[size_t(m)].year ? dated : undated).push_back(m);
        // A record without a year may be a copy of any of the dated ones.
        const auto runs = chains(dated, entries, [](const Entry& e) { return *e.year; });
        if (runs.empty())
            grouper.offer(undated);
        for (std::vector<int> run : runs) {
            run.insert(run.end(), undated.begin(), undated.end());
            grouper.offer(std::move(run));
        }
    }
}

void groupByMedia(const std::vector<Entry>& entries, Grouper& grouper)
{
    std::vector<int> measured;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].size.value_or(0) > 0 && entries[i].length.value_or(0) > 0)
            measured.push_back(static_cast<int>(i));
    for (const auto& bySize : chains(measured, entries, [](const Entry& e) { return *e.size; }))
        if (bySize.size() > 1)
            for (const auto& byLength : chains(bySize, entries, [](const Entry& e) { return *e.length; }))
                grouper.offer(byLength);
}

} // namespace

QString ComparableTitle(const QString& title, std::optional<int>* year)
{
    static const TSimpleSyntaxAnalizer folder;
    static const QRegularExpression bracketedYear(QStringLiteral("[\\(\\[]\\s*(\\d{4})\\s*[\\)\\]]"));
    QString text = folder.Analize(title);
    if (text.contains(QLatin1Char('(')) || text.contains(QLatin1Char('['))) {
        const QRegularExpressionMatch match = bracketedYear.match(text);
        if (match.hasMatch()) {
            if (year)
                *year = match.captured(1).toInt();
            text.remove(match.capturedStart(), match.capturedLength());
        }
    }
    QStringList words = wordsOf(text);
    if (words.size() > 1 && isArticle(words.front()))
        words.removeFirst();
    if (words.size() > 1 && isArticle(words.back()))
        words.removeLast();
    return words.join(QLatin1Char(' '));
}

std::vector<DuplicateGroup> FindDuplicates(const std::vector<SheetToSearch>& sheets, DuplicateRule rule)
{
    std::vector<Entry> entries;
    std::vector<QString> keys;
    for (const SheetToSearch& sheet : sheets) {
        const RecordColumns columns = RecordColumns::Of(*sheet.List);
        const std::function<void(const std::vector<RowPtr>&, const TzkRow*)> walk = [&](const std::vector<RowPtr>& rows,
                                                                                          const TzkRow* parent) {
            for (const RowPtr& row : rows) {
                Entry entry{{sheet.Catalogue, sheet.Sheet, row.get()}, parent ? parent : row.get(),
                            static_cast<int>(entries.size()), CellNumber(*row, columns.Year), CellNumber(*row, columns.Size),
                            CellNumber(*row, columns.Length)};
                if (rule != DuplicateRule::Media) {
                    const int slot = rule == DuplicateRule::Title ? csTitle : csOrigTitle;
                    std::optional<int> bracketYear;
                    keys.push_back(ComparableTitle(row->Fields[size_t(slot)], &bracketYear));
                    if (!entry.year)
                        entry.year = bracketYear;
                }
                entries.push_back(std::move(entry));
                walk(row->Children, row.get());
            }
        };
        walk(sheet.List->Items(), nullptr);
    }
    Grouper grouper(entries);
    if (rule == DuplicateRule::Media)
        groupByMedia(entries, grouper);
    else
        groupByTitle(entries, keys, grouper);
    return grouper.result();
}

QStringList DuplicateCells(const TZKList& list, const TzkRow& row)
{
    const RecordColumns columns = RecordColumns::Of(list);
    const auto cell = [&row](int c) { return c >= 0 ? row.Fields[size_t(c)] : QString(); };
    return {QString::number(row.ID), cell(csTitle), cell(csOrigTitle), cell(columns.Year),
            cell(columns.Size), cell(columns.Length), cell(csDiscs)};
}

std::optional<DuplicateRule> DuplicateRuleNamed(const QString& name)
{
    if (name == QLatin1String("title"))
        return DuplicateRule::Title;
    if (name == QLatin1String("original"))
        return DuplicateRule::Original;
    if (name == QLatin1String("media"))
        return DuplicateRule::Media;
    return std::nullopt;
}

} // namespace reelkeep
