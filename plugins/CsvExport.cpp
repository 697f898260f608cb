// Export plug-in: the catalogue as one CSV table (UTF-8 with a byte-order mark,
// RFC 4180 quoting); the first column names the list each record comes from, and
// each list starts with a header row of its own column names.
#include "KdxText.h"

#include <QString>

namespace reelkeep::exporter {
namespace {

QString field(const QString& cell)
{
    // Line breaks inside a field are CR LF, as the records' own ends.
    QString text = WithLineFeeds(cell);
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\r')))
        return text;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

template <typename Cell>
void record(QString& out, const QString& first, Cell&& cell)
{
    out += field(first);
    for (int c = 0; c <= kColourSlot; ++c)
        out += QLatin1Char(',') + field(cell(c));
    out += QLatin1String("\r\n");
}

QByteArray table(const TZKLists& lists)
{
    QString out;
    for (const auto& list : lists.Lists) {
        record(out, QStringLiteral("List"), [&list](int c) { return list->GetColumnName(c); });
        for (const auto& row : list->Items())
            record(out, list->Name, [&row](int c) { return row->Fields[static_cast<size_t>(c)]; });
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace
} // namespace reelkeep::exporter

REELKEEP_EXPORT_PLUGIN("CSV table", "CSV table (*.csv)|*.csv", reelkeep::exporter::table)
