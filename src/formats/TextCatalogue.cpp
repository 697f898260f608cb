#include "TextCatalogue.h"

#include "CellText.h"
#include "IntegerText.h"
#include "ReelkeepError.h"

#include <algorithm>
#include <limits>

namespace reelkeep {
namespace {

// Lines ended as the first line is ended: CR LF in every file this program writes,
// so a lone CR or LF inside a cell stays part of its line. Files with bare LF or
// CR line ends are read too.
class LineReader {
public:
    LineReader(QByteArrayView bytes, const Message& source, bool utf8)
        : m_bytes(bytes), m_source(source), m_utf8(utf8)
    {
        const qsizetype end = firstBreak();
        if (end < 0 || bytes[end] == '\n')
            m_terminator = end < 0 ? QByteArrayView("\r\n") : QByteArrayView("\n");
        else
            m_terminator = end + 1 < bytes.size() && bytes[end + 1] == '\n' ? QByteArrayView("\r\n") : QByteArrayView("\r");
    }

    QByteArrayView readLine()
    {
        if (m_pos >= m_bytes.size())
            fail(Message("EndsEarly"));
        ++m_line;
        qsizetype end = m_bytes.indexOf(m_terminator, m_pos);
        const qsizetype next = end < 0 ? m_bytes.size() : end + m_terminator.size();
        if (end < 0) {
            // The last line may lack its line end, or keep only the CR of it (the
            // add-from-list command drops the final byte of a file).
            end = m_bytes.size();
            if (m_terminator.size() == 2 && end > m_pos && m_bytes[end - 1] == '\r')
                --end;
        }
        const QByteArrayView line = m_bytes.sliced(m_pos, end - m_pos);
        m_pos = next;
        return line;
    }

    QString readCell()
    {
        if (!m_utf8)
            return TextFrom8(readLine(), true);
        return QString::fromUtf8(readLine()).replace(QLatin1String("<br>"), QLatin1String("\r\n"));
    }

    // A count line; what the file has left must hold linesPerItem lines per item.
    qint32 readCount(qint64 linesPerItem, const char* what)
    {
        const QByteArrayView line = readLine();
        const std::optional<qint64> count =
            ParseInteger(line.trimmed(), std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
        if (!count)
            fail(Message("CountNotWholeNumber")
                     .arg(Message(what))
                     .arg(QString::fromLatin1(line.first(std::min<qsizetype>(20, line.size())).toByteArray())));
        if (*count < 0)
            fail(Message("NegativeCount").arg(Message(what)).arg(*count));
        // Every line but the last takes at least its line end.
        const qint64 lines = *count * linesPerItem;
        if (lines > 0 && (lines - 1) * m_terminator.size() > m_bytes.size() - m_pos)
            fail(Message("TooManyAnnouncedLines").arg(*count).arg(Message(what)));
        return static_cast<qint32>(*count);
    }

    [[noreturn]] void fail(const Message& problem) const
    {
        throw FormatError(Message("DamagedAtLine").arg(m_source).arg(problem).arg(m_line));
    }

private:
    qsizetype firstBreak() const
    {
        for (qsizetype i = 0; i < m_bytes.size(); ++i)
            if (m_bytes[i] == '\r' || m_bytes[i] == '\n')
                return i;
        return -1;
    }

    QByteArrayView m_bytes;
    const Message& m_source;
    bool m_utf8;
    QByteArrayView m_terminator;
    qsizetype m_pos = 0;
    qint64 m_line = 0;
};

qsizetype appendLine(QByteArray& out, QStringView text, bool utf8)
{
    qsizetype lost = 0;
    if (utf8)
        out.append(text.toString().replace(QLatin1String("\r\n"), QLatin1String("<br>")).toUtf8());
    else
        lost = AppendText8(out, text, true);
    out.append("\r\n", 2);
    return lost;
}

qsizetype appendListHead(QByteArray& out, const TZKList& list, int rowCount, bool utf8)
{
    qsizetype lost = appendLine(out, list.Name, utf8);
    out.append(QByteArray::number(rowCount)).append("\r\n");
    for (int c = 0; c < kStoredColumnCount; ++c)
        lost += appendLine(out, list.GetColumnName(c), utf8);
    return lost;
}

qsizetype appendCells(QByteArray& out, const TzkRow& row, bool utf8)
{
    qsizetype lost = 0;
    for (int c = 0; c < kStoredColumnCount; ++c)
        lost += appendLine(out, row.Fields[static_cast<size_t>(c)], utf8);
    return lost;
}

} // namespace

void ReadTextCatalogue(QByteArrayView bytes, const Message& source, const TextLayout& layout, TZKLists& into,
                       const ProgressCallback& onProgress)
{
    LineReader lines(bytes, source, layout.utf8);
    if (!layout.requiredFirstLine.isEmpty() && (bytes.isEmpty() || lines.readLine() != layout.requiredFirstLine))
        return;
    if (layout.requiredFirstLine.isEmpty())
        lines.readLine(); // the signature, already recognised
    const int cells = layout.cellsPerRow;
    const ProgressCallback silent;
    const qint32 listCount = layout.severalLists ? lines.readCount(2 + cells, "WhatLists") : 1;
    for (qint32 l = 0; l < listCount; ++l) {
        const QString name = layout.severalLists ? lines.readCell() : QStringLiteral("Лист1");
        const qint32 rowCount = lines.readCount(cells, "WhatRecords");
        TZKList* list = into.AddList(rowCount, name);
        for (int c = 0; c < cells; ++c) {
            list->SetColumnName(c, lines.readCell());
            if (layout.patternsFromTemplate)
                list->Column(c).Pattern = into.ColumnTemplate[static_cast<size_t>(c)].pattern;
        }
        const RowProgress progress(layout.reportProgress ? onProgress : silent, rowCount);
        for (qint32 r = 1; r <= rowCount; ++r) {
            progress.rowRead(r);
            TzkRow* row = list->AddRow();
            for (int c = 0; c < cells; ++c)
                row->Fields[static_cast<size_t>(c)] = lines.readCell();
            if (layout.whiteRowColour)
                row->Fields[csColour] = QStringLiteral("00FFFFFF");
            if (layout.ordinalInInternalCell)
                row->Fields[csInternal] = QString::number(r);
        }
    }
}

QByteArray WriteTextCatalogue(const TZKLists& lists, qint64* lostCharacters)
{
    qint64 lost = 0;
    QByteArray out;
    out.append("kdx v1.3\r\n");
    out.append(QByteArray::number(lists.Count())).append("\r\n");
    for (const auto& list : lists.Lists) {
        lost += appendListHead(out, *list, list->RowCount(), false);
        for (const auto& row : list->Items())
            lost += appendCells(out, *row, false);
    }
    if (lostCharacters)
        *lostCharacters += lost;
    return out;
}

QByteArray RecordsText(const std::vector<const TzkRow*>& rows)
{
    QByteArray out("kdx v1.3\r\n1\r\n\r\n");
    out.append(QByteArray::number(static_cast<qsizetype>(rows.size()))).append("\r\n");
    out.append(QByteArray("\r\n").repeated(kStoredColumnCount));
    for (const TzkRow* row : rows)
        appendCells(out, *row, true);
    return out;
}

} // namespace reelkeep
