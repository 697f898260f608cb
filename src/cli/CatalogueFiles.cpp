#include "CatalogueFiles.h"

#include "EntryCommandSupport.h"
#include "LossReport.h"
#include "ReelkeepError.h"

#include <QFileInfo>
#include <vector>

namespace reelkeep::cli {
namespace {

QString extensionOf(const QString& fileName)
{
    return QFileInfo(fileName).suffix().toLower();
}

[[noreturn]] void unknownOutput(const QString& fileName)
{
    throw ReelkeepError(QStringLiteral("Unknown extension of \"%1\": catalogues are saved as .kdx, .xkdx, .xls or .txt.")
                            .arg(fileName));
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
    if (extension == QLatin1String("xkdx")) {
        doc.LoadFromXML(fileName);
        return true;
    }
    if (extension == QLatin1String("xls")) {
        doc.LoadFromExcel(fileName);
        return true;
    }
    if (extension == QLatin1String("kdx") || asKdx)
        return doc.LoadFromFile(fileName);
    throw ReelkeepError(QStringLiteral("Unknown extension of \"%1\": catalogues are .kdx, .xkdx or .xls files "
                                       "(--as-kdx reads it as .kdx).").arg(fileName));
}

TZKList& NumberedList(TzkReelkeep& doc, int listNumber)
{
    if (listNumber > doc.ListCount())
        throw ReelkeepError(QStringLiteral("The catalogue has %1 list(s); there is no list %2.").arg(doc.ListCount()).arg(listNumber));
    return *doc.List(listNumber - 1);
}

int ChosenListNumber(const TzkReelkeep& doc, const QString& fileName, const CommandArgs& parsed)
{
    if (doc.ListCount() == 0)
        throw ReelkeepError(QStringLiteral("\"%1\" holds no list.").arg(fileName));
    return parsed.has(QStringLiteral("--list")) ? parsed.number(QStringLiteral("--list"), 1, doc.ListCount()) : 1;
}

CatalogueForm FormOfOutput(const QString& fileName, const QString& kdxVersion)
{
    const std::optional<CatalogueForm> form = FormOfFileName(fileName);
    if (!form)
        unknownOutput(fileName);
    if (*form != CatalogueForm::Kdx21 || kdxVersion.isEmpty() || kdxVersion == QLatin1String("2.1"))
        return *form;
    if (kdxVersion == QLatin1String("2.0"))
        return CatalogueForm::Kdx20;
    if (kdxVersion == QLatin1String("1.3"))
        return CatalogueForm::Kdx13;
    throw ReelkeepError(QStringLiteral("Unknown .kdx version %1: 1.3, 2.0 or 2.1 can be written.").arg(kdxVersion));
}

void SaveCatalogue(const TzkReelkeep& doc, const QString& fileName, CatalogueForm form, bool allowLoss)
{
    if (doc.SaveIfNothingLost(fileName, form))
        return;
    const LossReport loss = FindLoss(doc.Lists(), form);
    if (loss.PreventsSaving())
        throw ReelkeepError(loss.Message(fileName) + QStringLiteral("\nNothing was saved."));
    if (!loss.IsEmpty() && !allowLoss)
        throw ReelkeepError(loss.Message(fileName) + QStringLiteral("\nNothing was saved; --allow-loss saves anyway."));
    doc.Save(fileName, form);
}

void SaveCatalogueBack(const TzkReelkeep& doc, const QString& fileName, bool allowLoss)
{
    const std::optional<CatalogueForm> form = FormForSaving(fileName, doc.LoadedForm());
    if (!form)
        unknownOutput(fileName);
    SaveCatalogue(doc, fileName, *form, allowLoss);
}

void KeepUntilExit(TzkReelkeep&& doc)
{
    // Never destroyed: a vector destroyed at exit would leave the documents unreachable.
    static auto* const kept = new std::vector<TzkReelkeep>();
    kept->push_back(std::move(doc));
}

int ReportUnknownSignature(const QString& fileName)
{
    WriteErr(QStringLiteral("\"%1\" is not a catalogue of a known version.\n").arg(fileName));
    return ExitUnknownSignature;
}

} // namespace reelkeep::cli
