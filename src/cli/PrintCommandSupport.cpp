#include "PrintCommandSupport.h"

#include "AtomicPrinterOutput.h"
#include "CatalogueFiles.h"
#include "ReelkeepError.h"
#include "TzkPrintTarget.h"

#include <QPrinter>

namespace reelkeep::cli {

int ListNumberArgument(const CommandArgs& parsed)
{
    return parsed.has(QStringLiteral("--list")) ? parsed.number(QStringLiteral("--list"), 1, 1 << 30) : 1;
}

TZKList* LoadListToPrint(TzkReelkeep& doc, const QString& fileName, int listNumber)
{
    if (!LoadCatalogue(doc, fileName))
        return nullptr;
    return &NumberedList(doc, listNumber);
}

QPageLayout::Orientation OrientationArgument(const CommandArgs& parsed)
{
    return parsed.has(QStringLiteral("--landscape")) ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void PrintToPdf(const QString& fileName, QPageLayout::Orientation orientation, const std::function<void(TzkPrinter&)>& print)
{
    QPrinter printer(QPrinter::HighResolution);
    PreparePdfPrinter(printer, fileName, orientation);
    AtomicPrinterOutput output(printer);
    {
        QPrinterTarget target(printer);
        TzkPrinter out(target);
        print(out);
    }
    output.commit();
}

} // namespace reelkeep::cli
