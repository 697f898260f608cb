#include "KdxText.h"

#include "CodePage.h"
#include "FileIO.h"

#include <QFile>

namespace reelkeep::exporter {
namespace {

// Lines end in CR LF; a lone LF is taken as a line end too.
std::vector<QByteArrayView> splitLines(QByteArrayView text)
{
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool readCount(QByteArrayView line, qsizetype& count)
{
    bool ok = false;
    const qlonglong value = line.trimmed().toLongLong(&ok);
    if (!ok || value < 0)
        return false;
    count = static_cast<qsizetype>(value);
    return true;
}

QString cellText(QByteArrayView line)
{
    QString text = CodePage::Default().decode(line);
    text.replace(QStringLiteral("<br>"), QStringLiteral("\n"), Qt::CaseInsensitive);
    return text;
}

} // namespace

std::optional<std::vector<Sheet>> ReadKdxText(QByteArrayView text)
{
    const std::vector<QByteArrayView> lines = splitLines(text);
    size_t next = 0;
    auto left = [&] { return lines.size() - next; };
    if (lines.empty() || lines[next++] != QByteArrayView("kdx v1.3"))
        return std::nullopt;
    qsizetype listCount = 0;
    if (!left() || !readCount(lines[next++], listCount))
        return std::nullopt;

    std::vector<Sheet> sheets;
    for (qsizetype l = 0; l < listCount; ++l) {
        if (left() < 2 + kTextColumns)
            return std::nullopt;
        Sheet sheet;
        sheet.name = CodePage::Default().decode(lines[next++]);
        qsizetype rowCount = 0;
        if (!readCount(lines[next++], rowCount))
            return std::nullopt;
        for (int c = 0; c < kTextColumns; ++c)
            sheet.columns.append(cellText(lines[next++]));
        if (static_cast<size_t>(rowCount) > left() / kTextColumns)
            return std::nullopt;
        sheet.rows.reserve(static_cast<size_t>(rowCount));
        for (qsizetype r = 0; r < rowCount; ++r) {
            QStringList cells;
            for (int c = 0; c < kTextColumns; ++c)
                cells.append(cellText(lines[next++]));
            sheet.rows.push_back(std::move(cells));
        }
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

void ExportCatalogue(const char* fileName, const char* catalogueText, QByteArray (*render)(const std::vector<Sheet>&))
{
    try {
        if (!fileName || !catalogueText)
            return;
        if (const auto sheets = ReadKdxText(QByteArrayView(catalogueText)))
            WriteFileAtomically(QFile::decodeName(fileName), render(*sheets));
    } catch (...) {
        // Nothing may cross the C boundary; the file is simply not written.
    }
}

} // namespace reelkeep::exporter
