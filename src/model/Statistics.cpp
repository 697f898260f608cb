#include "Statistics.h"

#include "Rounding.h"
#include "TextUtils.h"


namespace reelkeep {

int FindColumnByPattern(const TZKList& list, const QString& pattern)
{
    const int last = std::min(list.ColumnCount(), kStoredColumnCount);
    for (int c = 0; c < last; ++c)
        if (list.Column(c).Pattern == pattern)
            return c;
    return -1;
}

std::vector<const TzkRow*> ConsideredRows(const TZKList& list, const std::vector<const TzkRow*>& selection, bool selectedOnly)
{
    if (selectedOnly)
        return selection;
    std::vector<const TzkRow*> rows;
    const int count = list.VisibleRowCount();
    rows.reserve(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k)
        rows.push_back(list.VisibleRow(k));
    return rows;
}

namespace {

struct Sum {
    std::int32_t total = 0;
    std::int64_t count = 0;
};

Sum columnSum(const std::vector<const TzkRow*>& rows, int c)
{
    std::uint32_t total = 0;
    Sum sum;
    for (const TzkRow* row : rows) {
        const QString& cell = row->Fields[static_cast<size_t>(c)];
        if (!IsNumber(cell))
            continue;
        // The low 32 bits of the cell's value, however many digits it has.
        std::uint32_t value = 0;
        for (const QChar digit : cell)
            value = value * 10u + static_cast<std::uint32_t>(digit.unicode() - u'0');
        total += value;
        ++sum.count;
    }
    sum.total = static_cast<std::int32_t>(total);
    return sum;
}

} // namespace

std::int32_t ColumnTotal(const std::vector<const TzkRow*>& rows, int c)
{
    return columnSum(rows, c).total;
}

std::int32_t ColumnAverage(const std::vector<const TzkRow*>& rows, int c)
{
    const Sum sum = columnSum(rows, c);
    return sum.count == 0 ? 0 : static_cast<std::int32_t>(DivideHalfEven(sum.total, sum.count));
}

QStringList StatisticsLines(const TZKList& list, const std::vector<const TzkRow*>& selection, const TzkLanguage& language)
{
    const auto text = [&language](const QString& key) { return language.GetValue(QStringLiteral("Statistic"), key); };
    struct Figure {
        const char* pattern;
        const char* totalKey;
        const char* averageKey;
    };
    static const Figure figures[] = {
        {"%Size%", "TotalSize", "AverageSize"},
        {"%VidLength%", "TotalLength", "AverageLength"},
        {"%FilesCount%", "TotalFilesCount", "AverageFilesCount"},
    };
    QStringList lines;
    for (const bool selectedOnly : {false, true}) {
        lines.append(text(selectedOnly ? QStringLiteral("BySelectedRecords") : QStringLiteral("CurrentList")));
        const std::vector<const TzkRow*> rows = ConsideredRows(list, selection, selectedOnly);
        for (const Figure& figure : figures) {
            const int c = FindColumnByPattern(list, QString::fromLatin1(figure.pattern));
            if (c < 0)
                continue;
            lines.append(text(QString::fromLatin1(figure.totalKey)) + QString::number(ColumnTotal(rows, c)));
            lines.append(text(QString::fromLatin1(figure.averageKey)) + QString::number(ColumnAverage(rows, c)));
        }
    }
    return lines;
}

QString StatusStatLine(const QString& statusTemplate, const TZKList& list)
{
    const int c = FindColumnByPattern(list, QStringLiteral("%VidLength%"));
    const QString total = c >= 0 ? QString::number(ColumnTotal(ConsideredRows(list, {}, false), c)) : QString();
    return QString(statusTemplate).replace(QStringLiteral("%TotalLength%"), total, Qt::CaseInsensitive);
}

} // namespace reelkeep
