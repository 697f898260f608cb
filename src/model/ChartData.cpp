#include "ChartData.h"

#include "RecordFigures.h"
#include "TSyntaxAnalizer.h"

#include <QHash>
#include <algorithm>
#include <map>

namespace reelkeep {
namespace {

constexpr int kLongestYearSpan = 40;
constexpr int kBandMinutes = 30;
constexpr int kBandCount = 7;

void countYears(const std::vector<const TzkRow*>& rows, const RecordColumns& columns, CollectionCharts& charts)
{
    std::map<int, std::pair<std::int64_t, std::int64_t>> perYear; // films, megabytes
    for (const TzkRow* row : rows)
        if (const std::optional<int> year = CellNumber(*row, columns.Year)) {
            auto& [films, size] = perYear[*year];
            ++films;
            size += CellNumber(*row, columns.Size).value_or(0);
        }
    if (perYear.empty())
        return;
    const int first = perYear.begin()->first;
    const int last = perYear.rbegin()->first;
    charts.ByDecade = last - first + 1 > kLongestYearSpan;
    const int step = charts.ByDecade ? 10 : 1;
    const int start = first - first % step;
    for (int from = start; from <= last; from += step) {
        const auto begin = perYear.lower_bound(from);
        const auto end = perYear.lower_bound(from + step);
        std::int64_t films = 0, size = 0;
        for (auto it = begin; it != end; ++it) {
            films += it->second.first;
            size += it->second.second;
        }
        const QString label = step == 1 ? QString::number(from) : QStringLiteral("%1–%2").arg(from).arg(from + step - 1);
        charts.FilmsPerYear.push_back({label, films});
        charts.SizePerYear.push_back({label, size});
    }
}

void countGenres(const TZKList& list, const std::vector<const TzkRow*>& rows, int column, const QString& otherLabel,
                 CollectionCharts& charts)
{
    if (column < 0)
        return;
    static const TSimpleSyntaxAnalizer folder;
    const TzkColumn& genre = list.Column(column);
    QHash<QString, int> index; // folded genre -> its bar
    std::vector<ChartBar> bars;
    for (const TzkRow* row : rows) {
        const QString& cell = row->Fields[size_t(column)];
        if (cell.isEmpty())
            continue;
        QStringList seen;
        for (const QString& value : SplitValues(cell, genre.NamesWithDot, genre.SecondNames)) {
            const QString key = folder.Analize(value);
            if (seen.contains(key))
                continue; // a genre named twice in one record counts once
            seen << key;
            auto it = index.constFind(key);
            if (it == index.cend()) {
                it = index.insert(key, int(bars.size()));
                bars.push_back({value, 0});
            }
            ++bars[size_t(it.value())].Value;
        }
    }
    std::stable_sort(bars.begin(), bars.end(), [](const ChartBar& a, const ChartBar& b) { return a.Value > b.Value; });
    if (bars.size() > size_t(kTopGenres)) {
        std::int64_t rest = 0;
        for (size_t k = kTopGenres; k < bars.size(); ++k)
            rest += bars[k].Value;
        bars.resize(kTopGenres);
        bars.push_back({otherLabel, rest});
    }
    charts.FilmsPerGenre = std::move(bars);
}

void countLengths(const std::vector<const TzkRow*>& rows, int column, CollectionCharts& charts)
{
    for (int band = 0; band < kBandCount; ++band) {
        const int from = band * kBandMinutes;
        charts.LengthBands.push_back(
            {band + 1 < kBandCount ? QStringLiteral("%1–%2").arg(from).arg(from + kBandMinutes - 1) : QStringLiteral("%1+").arg(from), 0});
    }
    for (const TzkRow* row : rows)
        if (const std::optional<int> minutes = CellNumber(*row, column))
            ++charts.LengthBands[size_t(std::min(*minutes / kBandMinutes, kBandCount - 1))].Value;
}

} // namespace

CollectionCharts ComputeCharts(const TZKList& list, const std::vector<const TzkRow*>& rows, const QString& otherLabel)
{
    const RecordColumns columns = RecordColumns::Of(list);
    CollectionCharts charts;
    countYears(rows, columns, charts);
    countGenres(list, rows, columns.Genre, otherLabel, charts);
    countLengths(rows, columns.Length, charts);
    return charts;
}

} // namespace reelkeep
