#include "KdxText.h"

#include "FileIO.h"
#include "ReelkeepError.h"
#include "TextCatalogue.h"

#include <QFile>

namespace reelkeep::exporter {

std::unique_ptr<TZKLists> ReadKdxText(QByteArrayView text)
{
    // The reader skips the first line as the signature already recognised.
    const QByteArrayView signature("kdx v1.3");
    if (!text.startsWith(signature) || (text.size() > signature.size() && text[signature.size()] != '\r' && text[signature.size()] != '\n'))
        return nullptr;
    TextLayout layout;
    layout.patternsFromTemplate = false;
    layout.reportProgress = false;
    auto lists = std::make_unique<TZKLists>();
    try {
        ReadTextCatalogue(text, Message("SourceText"), layout, *lists, {});
    } catch (const ReelkeepError&) {
        return nullptr;
    }
    return lists;
}

QString WithLineFeeds(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void ExportCatalogue(const char* fileName, const char* catalogueText, QByteArray (*render)(const TZKLists&))
{
    try {
        if (!fileName || !catalogueText)
            return;
        if (const auto lists = ReadKdxText(QByteArrayView(catalogueText)))
            WriteFileAtomically(QFile::decodeName(fileName), render(*lists));
    } catch (...) {
        // Nothing may cross the C boundary; the file is simply not written.
    }
}

} // namespace reelkeep::exporter
