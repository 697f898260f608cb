// `parse-name PATH`: what the file-name parser makes of a video file's name.
#include "Commands.h"
#include "EntryCommandSupport.h"
#include "FileNameSeparators.h"
#include "TzkFileNameParser.h"

#include <QDir>

namespace reelkeep::cli {

int RunParseName(CliContext& context, const QStringList& args)
{
    if (args.size() != 1)
        throw UsageError{QStringLiteral("parse-name needs exactly one path")};
    const std::unique_ptr<zkOptions> options = LoadProgramOptions(context);
    TzkFileNameParser parser(FileNameSeparators::From(*options));
    // A bare file name is looked for in the current folder.
    parser.ProgramDir = QDir::currentPath();
    parser.Parse(args[0]);
    WriteJson(QJsonObject{
        {QStringLiteral("isDvd"), parser.IsDvd},
        {QStringLiteral("name"), parser.Name},
        {QStringLiteral("origName"), parser.OrigName},
        {QStringLiteral("dir"), parser.Dir},
        {QStringLiteral("partsCount"), parser.PartsCount},
        {QStringLiteral("partPrefix"), parser.PartPrefix},
        {QStringLiteral("partSuffix"), parser.PartSuffix},
    });
    return ExitDone;
}

} // namespace reelkeep::cli
