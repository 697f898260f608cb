#include "EntryCommandSupport.h"

#include <QJsonDocument>

namespace reelkeep::cli {

std::unique_ptr<zkOptions> LoadProgramOptions(const CliContext& context)
{
    auto options = std::make_unique<zkOptions>();
    options->LoadSettings(context.home().filePath(QStringLiteral("setup.ini")));
    for (const Message& warning : options->LoadWarnings())
        WriteErr(QStringLiteral("Warning: ") + warning.english() + QLatin1Char('\n'));
    return options;
}

void WriteJson(const QJsonObject& object)
{
    WriteOut(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace reelkeep::cli
