#include "CatalogueFiles.h"

#include "EntryCommandSupport.h"
#include "ReelkeepError.h"
#include "TReelkeepSerialiazerV1_3.h"
#include "TReelkeepSerialiazerV2_0.h"

#include <QFileInfo>

namespace reelkeep::cli {
namespace {

QString extensionOf(const QString& fileName)
{
    return QFileInfo(fileName).suffix().toLower();
}

} // namespace

TzkReelkeep NewDocument(const CliContext& context)
{
    const std::unique_ptr<zkOptions> options = LoadProgramOptions(context);
    return TzkReelkeep(options->ColumnTemplate(), options->Formats);
}

bool LoadCatalogue(TzkReelkeep& doc, const QString& fileName, bool asKdx)
{
    const QString extension = extensionOf(fileName);
    if (extension == QLatin1String("xkdx"))
        return doc.LoadFromXML(fileName);
    if (extension == QLatin1String("xls"))
        return doc.LoadFromExcel(fileName);
    if (extension == QLatin1String("kdx") || asKdx)
        return doc.LoadFromFile(fileName);
    throw ReelkeepError(QStringLiteral("Unknown extension of \"%1\": catalogues are .kdx, .xkdx or .xls files "
                                       "(--as-kdx reads it as .kdx).").arg(fileName));
}

void SaveCatalogue(const TzkReelkeep& doc, const QString& fileName, const QString& kdxVersion)
{
    const QString extension = extensionOf(fileName);
    if (extension == QLatin1String("kdx")) {
        if (kdxVersion.isEmpty() || kdxVersion == QLatin1String("2.1"))
            doc.SaveToFile(fileName);
        else if (kdxVersion == QLatin1String("2.0"))
            TReelkeepSerialiazerV2_0().Save(fileName, doc.Lists());
        else if (kdxVersion == QLatin1String("1.3"))
            TReelkeepSerialiazerV1_3().Save(fileName, doc.Lists());
        else
            throw ReelkeepError(QStringLiteral("Unknown .kdx version %1: 1.3, 2.0 or 2.1 can be written.").arg(kdxVersion));
    } else if (extension == QLatin1String("xkdx")) {
        doc.SaveToXML(fileName);
    } else if (extension == QLatin1String("xls")) {
        doc.SaveToExcel(fileName);
    } else if (extension == QLatin1String("txt")) {
        doc.SaveToText(fileName);
    } else {
        throw ReelkeepError(QStringLiteral("Unknown extension of \"%1\": catalogues are saved as .kdx, .xkdx, .xls or .txt.")
                                .arg(fileName));
    }
}

int ReportUnknownSignature(const QString& fileName)
{
    WriteErr(QStringLiteral("\"%1\" is not a catalogue of a known version.\n").arg(fileName));
    return ExitUnknownSignature;
}

} // namespace reelkeep::cli
