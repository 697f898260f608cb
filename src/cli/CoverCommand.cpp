// `cover CVR`: a cover layout file as JSON (its type and every shape with its fields).
#include "CommandArgs.h"
#include "Commands.h"
#include "CoverJson.h"
#include "ZKCover.h"

#include <QJsonDocument>

namespace reelkeep::cli {

int RunCover(CliContext&, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {});
    parsed.expectPositional(1);
    ZKCover cover;
    cover.ReadFromFile(parsed.positional()[0]);
    WriteOut(QJsonDocument(CoverToJson(cover)).toJson(QJsonDocument::Indented));
    return ExitDone;
}

} // namespace reelkeep::cli
