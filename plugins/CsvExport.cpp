// Export plug-in: the catalogue as one CSV table (UTF-8 with a byte-order mark,
// RFC 4180 quoting); the first column names the list each record comes from.
#include "KdxText.h"

#include <QString>

namespace reelkeep::exporter {
namespace {

QString field(QString text)
{
    // Line breaks inside a field are CR LF, as the records' own ends.
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\r')))
        return text;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void record(QString& out, const QString& first, const QStringList& fields)
{
    out += field(first);
    for (const QString& f : fields)
        out += QLatin1Char(',') + field(f);
    out += QLatin1String("\r\n");
}

QByteArray table(const std::vector<Sheet>& sheets)
{
    QString out;
    // The header takes the column names of the first list; every list has the same slots.
    record(out, QStringLiteral("List"), sheets.empty() ? QStringList(kTextColumns, QString()) : sheets.front().columns);
    for (const Sheet& sheet : sheets)
        for (const QStringList& row : sheet.rows)
            record(out, sheet.name, row);
    return QByteArrayLiteral("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace
} // namespace reelkeep::exporter

REELKEEP_EXPORT_PLUGIN("CSV table", "CSV table (*.csv)|*.csv", reelkeep::exporter::table)
