// Export plug-in: every list of the catalogue as one HTML table (UTF-8).
#include "IntegerText.h"
#include "KdxText.h"

#include <QString>

namespace reelkeep::exporter {
namespace {

// Text of a cell or name as HTML: markup characters escaped, line breaks kept.
QString html(const QString& text)
{
    QString out = WithLineFeeds(text).toHtmlEscaped();
    out.replace(QLatin1Char('\''), QLatin1String("&#39;"));
    out.replace(QLatin1Char('\n'), QLatin1String("<br/>"));
    return out;
}

// The row colour is stored as 8 hexadecimal digits 00BBGGRR.
QString rowStyle(const QString& colour)
{
    const std::optional<qint64> value = colour.size() == 8 ? ParseInteger(colour, 0, 0xFFFFFFFF, 16) : std::nullopt;
    if (!value)
        return QString();
    const qint64 rgb = ((*value & 0xFF) << 16) | (*value & 0xFF00) | ((*value >> 16) & 0xFF);
    return QStringLiteral(" style=\"background-color:#%1\"").arg(rgb, 6, 16, QLatin1Char('0'));
}

QByteArray page(const TZKLists& lists)
{
    QString out = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n<title>Catalogue</title>\n"
                                 "<style>table{border-collapse:collapse;margin-bottom:2em}"
                                 "th,td{border:1px solid #999;padding:2px 4px;vertical-align:top}</style>\n"
                                 "</head>\n<body>\n");
    for (const auto& list : lists.Lists) {
        out += QStringLiteral("<h2>") + html(list->Name) + QStringLiteral("</h2>\n<table>\n<thead><tr>");
        for (int c = 0; c < kColourSlot; ++c)
            out += QStringLiteral("<th>") + html(list->GetColumnName(c)) + QStringLiteral("</th>");
        out += QStringLiteral("</tr></thead>\n<tbody>\n");
        for (const auto& row : list->Items()) {
            out += QStringLiteral("<tr") + rowStyle(row->Fields[kColourSlot]) + QLatin1Char('>');
            for (int c = 0; c < kColourSlot; ++c)
                out += QStringLiteral("<td>") + html(row->Fields[static_cast<size_t>(c)]) + QStringLiteral("</td>");
            out += QStringLiteral("</tr>\n");
        }
        out += QStringLiteral("</tbody>\n</table>\n");
    }
    out += QStringLiteral("</body>\n</html>\n");
    return out.toUtf8();
}

} // namespace
} // namespace reelkeep::exporter

REELKEEP_EXPORT_PLUGIN("HTML table", "HTML page (*.html)|*.html", reelkeep::exporter::page)
