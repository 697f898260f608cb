#include "CoverPrinting.h"

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
    return {QDir(options.ProgramFolder()).filePath(options.CoverFile), pen(options.KCutLine), pen(options.KSLine)};
}

int CoverDiscCount(const TzkRow& record)
{
    const QString& discs = record.Fields[csDiscs];
    return discs.isEmpty() ? 1 : ToInteger(discs);
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

void PrepareCover(ZKCover& cover, const TzkRow& record, int disc, int discCount, const CoverPrintSettings& settings)
{
    cover.CutLineStyle = settings.CutLine.Style;
    cover.CutLineWidth = settings.CutLine.Width;
    cover.CutLineColor = settings.CutLine.Color;
    cover.FoldLineStyle = settings.FoldLine.Style;
    cover.FoldLineWidth = settings.FoldLine.Width;
    cover.FoldLineColor = settings.FoldLine.Color;
    cover.LoadFromFile(settings.CoverFile);
    for (const auto& [placeholder, value] : CoverPlaceholders(record, disc, discCount))
        cover.ReplaceText(placeholder, value);
}

void PrintCovers(TzkPrinter& printer, const TzkRow& record, const CoverPrintSettings& settings)
{
    const int discCount = CoverDiscCount(record);
    if (discCount >= 2)
        CoverPlaceholders(record, 1, discCount); // a bad cell 0 fails here, before the job
    printer.BeginDoc();
    for (int disc = 1; disc <= discCount; ++disc) {
        ZKCover cover;
        cover.PrintOptions.OffsetX = static_cast<float>(printer.PhysicalOffsetX());
        cover.PrintOptions.OffsetY = static_cast<float>(printer.PhysicalOffsetY());
        cover.PrintOptions.MarginX = static_cast<float>(printer.UnprintableWidth());
        cover.PrintOptions.PageHeight = static_cast<float>(printer.PhysicalHeight() - printer.UnprintableHeight());
        PrepareCover(cover, record, disc, discCount, settings);
        cover.Draw(printer.PageCanvas, printer.DpiX(), printer.DpiY());
        printer.EndPage();
        if (disc != discCount)
            printer.NewPage();
    }
    printer.EndDoc();
}

} // namespace reelkeep
