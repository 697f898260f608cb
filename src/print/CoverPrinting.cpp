#include "CoverPrinting.h"

#include "FileIO.h"
#include "IntegerText.h"
#include "ReelkeepError.h"
#include "TzkPrinter.h"
#include "TzkRow.h"
#include "ZKCover.h"

#include <QDir>

namespace reelkeep {

CoverPrintSettings CoverSettingsFrom(const zkOptions& options)
{
    auto pen = [](const zkPen& p) { return CoverPen{p.Style, p.Width, PenColor(p.Color)}; };
    const QString file = options.CoverFile.trimmed().isEmpty() ? QString() : QDir(options.ProgramFolder()).filePath(options.CoverFile);
    return {file, pen(options.KCutLine), pen(options.KSLine)};
}

int CoverDiscCount(const TzkRow& record)
{
    const QString& discs = record.Fields[csDiscs];
    const int count = discs.isEmpty() ? 1 : ToInteger(discs);
    if (count > kMaxCoverDiscs)
        throw ReelkeepError(Message("TooManyCoverDiscs").arg(count).arg(kMaxCoverDiscs).count(count));
    if (count >= 2)
        CoverPlaceholders(record, 1, count); // a bad cell 0 fails here
    return count;
}

QByteArray ReadCoverLayout(const QString& fileName)
{
    if (fileName.isEmpty())
        return {};
    QByteArray bytes = ReadWholeFile(fileName);
    ZKCover check;
    check.ReadFromBytes(bytes, fileName);
    return bytes;
}

std::vector<std::pair<QString, QString>> CoverPlaceholders(const TzkRow& record, int disc, int discCount)
{
    const auto& f = record.Fields;
    const QString id = f[csNumber];
    const QString idPlusPart = (discCount == 1 || id.isEmpty()) ? id : QString::number(qint64(ToInteger(id)) + disc - 1);
    const QString part = discCount >= 2 ? QStringLiteral(" #") + QString::number(disc) : QString();
    return {
        {QStringLiteral("%ID%"), id},
        {QStringLiteral("%ID+Part%"), idPlusPart},
        {QStringLiteral("%Part%"), part},
        {QStringLiteral("%Name%"), f[1]},
        {QStringLiteral("%OrigName%"), f[2]},
        {QStringLiteral("%Size%"), f[3]},
        {QStringLiteral("%Parts%"), f[4]},
        {QStringLiteral("%Video%"), f[5]},
        {QStringLiteral("%Audio%"), f[6]},
        {QStringLiteral("%Other%"), f[7]},
        {QStringLiteral("%Lang%"), f[8]},
        {QStringLiteral("%Nositel%"), f[9]},
        {QStringLiteral("%Transl%"), f[10]},
        {QStringLiteral("%Year%"), f[11]},
        {QStringLiteral("%Time%"), f[12]},
        {QStringLiteral("%Rej%"), f[13]},
        {QStringLiteral("%Actors%"), f[15]},
        {QStringLiteral("%Descr%"), f[14]},
        {QStringLiteral("%Date%"), f[16]},
    };
}

void PrepareCover(ZKCover& cover, const QByteArray& layout, const TzkRow& record, int disc, int discCount,
                  const CoverPrintSettings& settings)
{
    cover.CutLineStyle = settings.CutLine.Style;
    cover.CutLineWidth = settings.CutLine.Width;
    cover.CutLineColor = settings.CutLine.Color;
    cover.FoldLineStyle = settings.FoldLine.Style;
    cover.FoldLineWidth = settings.FoldLine.Width;
    cover.FoldLineColor = settings.FoldLine.Color;
    if (!layout.isEmpty())
        cover.ReadFromBytes(layout, settings.CoverFile);
    for (const auto& [placeholder, value] : CoverPlaceholders(record, disc, discCount))
        cover.ReplaceText(placeholder, value);
}

bool CoverFitsPage(const QByteArray& layout, const PrinterMeasurements& page)
{
    ZKCover cover;
    if (!layout.isEmpty())
        cover.ReadFromBytes(layout, QString());
    const QRectF extent = cover.ExtentMm();
    const double perMmX = page.DpiX / 25.4, perMmY = page.DpiY / 25.4;
    // The cover starts at the printable corner shifted by the unprintable margin once more.
    const double left = page.PhysicalOffsetX + extent.left() * perMmX, right = page.PhysicalOffsetX + extent.right() * perMmX;
    const double top = page.PhysicalOffsetY + extent.top() * perMmY, bottom = page.PhysicalOffsetY + extent.bottom() * perMmY;
    return left >= 0 && top >= 0 && right <= page.PhysicalWidth - page.UnprintableWidth + 0.5
           && bottom <= page.PhysicalHeight - page.UnprintableHeight + 0.5;
}

void PrintCovers(TzkPrinter& printer, const TzkRow& record, const CoverPrintSettings& settings)
{
    const int discCount = CoverDiscCount(record);
    const QByteArray layout = ReadCoverLayout(settings.CoverFile);
    printer.BeginDoc();
    for (int disc = 1; disc <= discCount; ++disc) {
        ZKCover cover;
        cover.PrintOptions.OffsetX = static_cast<float>(printer.PhysicalOffsetX());
        cover.PrintOptions.OffsetY = static_cast<float>(printer.PhysicalOffsetY());
        cover.PrintOptions.MarginX = static_cast<float>(printer.UnprintableWidth());
        cover.PrintOptions.PageHeight = static_cast<float>(printer.PhysicalHeight() - printer.UnprintableHeight());
        PrepareCover(cover, layout, record, disc, discCount, settings);
        cover.Draw(printer.PageCanvas, printer.DpiX(), printer.DpiY());
        printer.EndPage();
        if (disc != discCount)
            printer.NewPage();
    }
    printer.EndDoc();
}

} // namespace reelkeep
