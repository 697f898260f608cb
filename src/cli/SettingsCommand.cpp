// `settings` and `lang SECTION KEY`: the settings of the program folder, loaded
// as the program loads them at start (completing setup.ini and the language file).
#include "Commands.h"
#include "EntryCommandSupport.h"

#include <QJsonArray>

namespace reelkeep::cli {
namespace {

template <typename Container>
QJsonArray array(const Container& values)
{
    QJsonArray out;
    for (const auto& value : values) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, QString>)
            out.append(value);
        else if constexpr (std::is_same_v<std::decay_t<decltype(value)>, bool>)
            out.append(value);
        else
            out.append(static_cast<qint64>(value));
    }
    return out;
}

QJsonObject pen(const zkPen& p)
{
    return {{QStringLiteral("Style"), p.Style}, {QStringLiteral("Width"), static_cast<double>(p.Width)},
            {QStringLiteral("Color"), static_cast<qint64>(p.Color)}};
}

QJsonObject settingsJson(const zkOptions& o)
{
    QJsonArray language;
    for (const LanguageEntry& entry : o.LanguageTable.Entries)
        language.append(QJsonObject{{QStringLiteral("Section"), entry.Section}, {QStringLiteral("Key"), entry.Key},
                                    {QStringLiteral("Text"), entry.Text}});
    return {
        {QStringLiteral("ColName"), array(o.ColName)},
        {QStringLiteral("ColType"), array(o.ColType)},
        {QStringLiteral("ColPattern"), array(o.ColPattern)},
        {QStringLiteral("ColLogicalVal"), array(o.ColLogicalVal)},
        {QStringLiteral("ColNamesWithDot"), array(o.ColNamesWithDot)},
        {QStringLiteral("ColSecondNames"), array(o.ColSecondNames)},
        {QStringLiteral("ColWidth"), array(o.ColWidth)},
        {QStringLiteral("ColPos"), array(o.ColPos)},
        {QStringLiteral("ColShortCut"), array(o.ColShortCut)},
        {QStringLiteral("ContrlWidth"), array(o.ContrlWidth)},
        {QStringLiteral("ContrlX"), array(o.ContrlX)},
        {QStringLiteral("ContrlY"), array(o.ContrlY)},
        {QStringLiteral("ListComments"), array(o.ListComments)},
        {QStringLiteral("ListFileNames"), array(o.ListFileNames)},
        {QStringLiteral("ListCount"), o.ListCount},
        {QStringLiteral("SrchName"), array(o.SrchName)},
        {QStringLiteral("SrchURL"), array(o.SrchURL)},
        {QStringLiteral("SrchEncoding"), array(o.SrchEncoding)},
        {QStringLiteral("SearchCount"), o.SearchCount},
        {QStringLiteral("LanguageTable"), QJsonObject{{QStringLiteral("Count"), o.LanguageTable.Count},
                                                      {QStringLiteral("Entries"), language}}},
        {QStringLiteral("DefLanguageFile"), o.DefLanguageFile},
        {QStringLiteral("StatusStat"), o.StatusStat},
        {QStringLiteral("CoverFile"), o.CoverFile},
        {QStringLiteral("UseMDIPanel"), o.UseMDIPanel},
        {QStringLiteral("ShortCutSave"), o.ShortCutSave},
        {QStringLiteral("ShortCutSaveAs"), o.ShortCutSaveAs},
        {QStringLiteral("ShortCutNew"), o.ShortCutNew},
        {QStringLiteral("ShortCutOpen"), o.ShortCutOpen},
        {QStringLiteral("OrigNameSepBegin"), o.OrigNameSepBegin},
        {QStringLiteral("OrigNameSepEnd"), o.OrigNameSepEnd},
        {QStringLiteral("PartSepBegin"), o.PartSepBegin},
        {QStringLiteral("PartSepEnd"), o.PartSepEnd},
        {QStringLiteral("SplitterPos"), o.SplitterPos},
        {QStringLiteral("KCutLine"), pen(o.KCutLine)},
        {QStringLiteral("KSLine"), pen(o.KSLine)},
        {QStringLiteral("LastAviDir"), o.LastAviDir},
        {QStringLiteral("LastListDir"), o.LastListDir},
    };
}

} // namespace

int RunSettings(CliContext& context, const QStringList& args)
{
    if (!args.isEmpty())
        throw UsageError{QStringLiteral("settings takes no arguments")};
    WriteJson(settingsJson(*LoadProgramOptions(context)));
    return ExitDone;
}

int RunLang(CliContext& context, const QStringList& args)
{
    if (args.size() != 2)
        throw UsageError{QStringLiteral("lang needs a section and a key")};
    // As a person reads it: without the marks of menu letters.
    WriteOut(WithoutMnemonic(LoadProgramOptions(context)->LanguageTable.GetValue(args[0], args[1])) + QLatin1Char('\n'));
    return ExitDone;
}

} // namespace reelkeep::cli
