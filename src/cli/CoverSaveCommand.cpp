// `cover-save IN.json OUT.cvr`: writes a cover layout file from its JSON form, so
// layouts can be made without the cover editor.
#include "CommandArgs.h"
#include "Commands.h"
#include "CoverJson.h"
#include "FileIO.h"
#include "ReelkeepError.h"
#include "ZKCover.h"

#include <QJsonDocument>

namespace reelkeep::cli {

int RunCoverSave(CliContext&, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {});
    parsed.expectPositional(2);
    const QString source = parsed.positional()[0];
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(ReadWholeFile(source), &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        throw FormatError(QStringLiteral("%1: not a JSON object (%2 at offset %3)").arg(source, error.errorString()).arg(error.offset));
    ZKCover cover;
    CoverFromJson(json.object(), cover, source);
    cover.SaveToFile(parsed.positional()[1]);
    return ExitDone;
}

} // namespace reelkeep::cli
