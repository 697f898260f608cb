#include "FreeXlReader.h"

#include "HelperLocation.h"
#include "HelperProcess.h"
#include "LoadLimits.h"
#include "ReelkeepError.h"
#include "Wire.h"

#include <QFileInfo>
#include <new>

namespace reelkeep {
namespace {

// One deadline for the whole reading; beyond it FreeXL is taken to hang on a damaged file.
constexpr std::chrono::seconds kReadDeadline{120};
// FreeXL's own code for a file it cannot open (freexl.h is the helper's business).
constexpr std::int32_t kFreeXlFileNotFound = -1;

FormatError damaged(const QString& fileName)
{
    return FormatError(Message("XlsDamaged").arg(fileName));
}

WorkbookCell takeCell(WireReader& in, const QString& fileName)
{
    WorkbookCell cell;
    const auto kind = in.take<unsigned char>();
    switch (kind) {
    case WorkbookCell::Empty:
        break;
    case WorkbookCell::Integer:
    case WorkbookCell::Number:
        cell.number = in.take<double>();
        break;
    case WorkbookCell::Text:
    case WorkbookCell::Date:
    case WorkbookCell::DateTime:
    case WorkbookCell::Time:
        cell.text = in.takeText();
        break;
    default:
        throw damaged(fileName);
    }
    cell.kind = static_cast<WorkbookCell::Kind>(kind);
    return cell;
}

void checkStatus(std::int32_t status, const QString& fileName)
{
    if (status == workbook_dump::kPasswordProtected)
        throw FormatError(Message("XlsPasswordProtected").arg(fileName));
    if (status == kFreeXlFileNotFound)
        throw FileError(Message("CannotOpenMissing").arg(fileName));
    if (status != workbook_dump::kRead)
        throw FormatError(Message("XlsNotReadable").arg(fileName).arg(status));
}

} // namespace

std::vector<WorksheetCells> ParseWorkbookDump(QByteArrayView dump, const QString& fileName, int columns)
{
    try {
        WireReader in(dump);
        std::vector<WorksheetCells> sheets;
        for (;;) {
            const auto tag = in.take<unsigned char>();
            if (tag == workbook_dump::Sheet) {
                sheets.emplace_back().name = in.takeText();
            } else if (tag == workbook_dump::Row && !sheets.empty()) {
                std::vector<WorkbookCell>& row = sheets.back().rows.emplace_back();
                row.reserve(size_t(columns));
                for (int c = 0; c < columns; ++c)
                    row.push_back(takeCell(in, fileName));
            } else if (tag == workbook_dump::End) {
                checkStatus(in.take<std::int32_t>(), fileName);
                if (!in.atEnd())
                    throw damaged(fileName);
                return sheets;
            } else {
                throw damaged(fileName);
            }
        }
    } catch (const HelperFailure&) {
        throw damaged(fileName);
    } catch (const std::bad_alloc&) {
        throw FormatError(Message("XlsNoMemoryForCells").arg(fileName));
    }
}

std::vector<WorksheetCells> ReadWorkbookCells(const QString& fileName, int columns)
{
    const QFileInfo file(fileName);
    if (!file.exists())
        throw FileError(Message("CannotOpenMissing").arg(fileName));
    // A pipe or device would keep the reader waiting for bytes that never come.
    if (!file.isFile())
        throw FileError(Message("CannotReadNotRegular").arg(fileName));
    const qint64 limit = MaxExpandedTextBytes(file.size());
    QByteArray dump;
    try {
        HelperProcess reader(HelperExecutable(QStringLiteral("reelkeep-xls-reader")), {fileName, QString::number(columns)});
        reader.CloseInput();
        dump = reader.ReadToExit(qsizetype(std::min<qint64>(limit, std::numeric_limits<qsizetype>::max())), DeadlineIn(kReadDeadline));
    } catch (const HelperFailure& failure) {
        if (failure.reason() == HelperFailure::NotStarted)
            throw ReelkeepError(Message("CannotReadBecause").arg(fileName).arg(failure.text()));
        if (failure.reason() == HelperFailure::Oversized)
            throw FormatError(Message("XlsCellsTooLarge").arg(fileName).arg(limit >> 20));
        throw damaged(fileName);
    } catch (const std::bad_alloc&) {
        throw FormatError(Message("XlsNoMemoryForCells").arg(fileName));
    }
    return ParseWorkbookDump(dump, fileName, columns);
}

} // namespace reelkeep
