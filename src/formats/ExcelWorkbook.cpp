#include "ExcelWorkbook.h"

#include "Biff8Workbook.h"
#include "CompoundFile.h"
#include "FileIO.h"
#include "FreeXlReader.h"
#include "ReelkeepError.h"
#include "RowOrder.h"
#include "Rounding.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace reelkeep {
namespace {

// Columns (0-based) of the record's ID and GroupID. The header cell of the ID
// column holds the list name when the worksheet could not be named after it, and
// the number 0 for a list without a name (an empty text is no cell at all).
constexpr int kIdColumn = kStoredColumnCount;
constexpr int kGroupColumn = kStoredColumnCount + 1;
constexpr int kMaxSheetName = 31;

// ---- writing ----

// A valid worksheet name close to the list name: at most 31 characters, none of
// : \ / ? * [ ] or control characters, not empty, no apostrophe at either end, and
// unique regardless of case.
QString sheetName(const QString& listName, int number, QSet<QString>& taken)
{
    QString name = listName;
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringView(u":\\/?*[]").contains(c))
            c = u'_';
    if (name.startsWith(u'\''))
        name[0] = u'_';
    if (name.endsWith(u'\''))
        name[name.size() - 1] = u'_';
    if (name.isEmpty())
        name = QString::number(number);
    const auto cut = [](QString text, qsizetype length) {
        if (text.size() > length) {
            text.truncate(length);
            if (text.back().isHighSurrogate())
                text.chop(1);
        }
        return text;
    };
    QString candidate = cut(name, kMaxSheetName);
    for (int k = 2; taken.contains(candidate.toLower()); ++k) {
        const QString suffix = QStringLiteral(" (%1)").arg(k);
        candidate = cut(name, kMaxSheetName - suffix.size()) + suffix;
    }
    taken.insert(candidate.toLower());
    return candidate;
}

void checkText(const QString& text, const QString& fileName, const TZKList& list, const Message& where)
{
    if (!Biff8Workbook::Fits(text))
        throw FormatError(Message("XlsTextTooLong")
                              .arg(fileName)
                              .arg(where)
                              .arg(list.Name)
                              .arg(text.size())
                              .arg(Biff8Workbook::kMaxNarrowText)
                              .arg(Biff8Workbook::kMaxWideText));
}

void addSheet(Biff8Workbook& book, const TZKList& list, const QString& name, const QString& fileName)
{
    const qint64 rows = RowCountAllLevels(list);
    if (rows + 1 > Biff8Workbook::kMaxRows)
        throw FormatError(
            Message("XlsTooManyRecords").arg(fileName).arg(list.Name).arg(rows).arg(Biff8Workbook::kMaxRows - 1));
    book.AddSheet(name);
    for (int c = 0; c < kStoredColumnCount; ++c) {
        const QString& columnName = list.GetColumnName(c);
        checkText(columnName, fileName, list, Message("XlsPlaceColumnName").arg(c));
        if (!columnName.isEmpty())
            book.SetText(0, c, columnName);
    }
    // The name cell also keeps a header row without column names from looking
    // empty, which would end the worksheet's region before its first record.
    const bool namesEmpty = std::all_of(list.Columns.begin(), list.Columns.begin() + kStoredColumnCount,
                                        [](const auto& column) { return column->Name.isEmpty(); });
    if (list.Name.isEmpty()) {
        book.SetNumber(0, kIdColumn, 0);
    } else if (name != list.Name || namesEmpty) {
        checkText(list.Name, fileName, list, Message("XlsPlaceListName"));
        book.SetText(0, kIdColumn, list.Name);
    }
    int r = 1;
    ForEachRowDepthFirst(list, [&](const TzkRow& row) {
        for (int c = 0; c < kStoredColumnCount; ++c) {
            const QString& text = row.Fields[size_t(c)];
            checkText(text, fileName, list, Message("XlsPlaceCell").arg(c).arg(row.ID));
            if (!text.isEmpty())
                book.SetText(r, c, text);
        }
        book.SetNumber(r, kIdColumn, row.ID);
        book.SetNumber(r, kGroupColumn, row.GroupID);
        ++r;
    });
}

// ---- reading ----

// Turns the cells of one worksheet into a list as the layout says.
class SheetReader {
public:
    SheetReader(const WorksheetCells& sheet, const QString& fileName, const LocaleFormats& formats)
        : m_sheet(sheet), m_fileName(fileName), m_formats(formats)
    {
    }

    void read(TZKLists& into) const
    {
        const std::vector<std::vector<WorkbookCell>>& rows = m_sheet.rows;
        QString name = m_sheet.name;
        if (!rows.empty()) {
            const WorkbookCell& nameCell = rows[0][kIdColumn];
            if (nameCell.kind == WorkbookCell::Text)
                name = nameCell.text;
            else if (nameCell.kind == WorkbookCell::Integer || nameCell.kind == WorkbookCell::Number)
                name.clear();
        }
        TZKList& list = *into.AddList(int(std::min<size_t>(rows.size(), 1u << 20)), name);
        FlatRowTree tree(list);
        for (size_t r = 1; r < rows.size(); ++r) {
            auto row = std::make_unique<TzkRow>();
            for (int c = 0; c < kStoredColumnCount; ++c)
                row->Fields[size_t(c)] = text(rows[r][size_t(c)]);
            if (row->Fields[csColour].isEmpty())
                row->Fields[csColour] = QStringLiteral("00FFFFFF");
            if (const auto id = whole(rows[r][kIdColumn], r, kIdColumn))
                row->ID = *id;
            if (!tree.Place(std::move(row), whole(rows[r][kGroupColumn], r, kGroupColumn).value_or(-1)))
                throw FormatError(Message("XlsNestedTooDeep").arg(m_fileName).arg(m_sheet.name).arg(kMaxRowNesting));
        }
        for (int c = 0; c < kStoredColumnCount; ++c)
            list.SetColumnName(c, rows.empty() ? QString() : text(rows[0][size_t(c)]));
    }

private:
    // The cell as the model's text: numbers without a fraction when whole, dates
    // in the short date format, every line break as CR LF.
    QString text(const WorkbookCell& cell) const
    {
        switch (cell.kind) {
        case WorkbookCell::Integer:
        case WorkbookCell::Number:
            return numberText(cell.number);
        case WorkbookCell::Text:
            return withCrLf(cell.text);
        case WorkbookCell::Date:
            return dateText(cell.text);
        case WorkbookCell::DateTime:
            return dateText(cell.text.left(10)) + cell.text.mid(10);
        case WorkbookCell::Time:
            return cell.text;
        case WorkbookCell::Empty:
            break;
        }
        return {};
    }

    // The ID or GroupID in a cell; empty when the cell is.
    std::optional<std::int32_t> whole(const WorkbookCell& cell, size_t row, int column) const
    {
        double number = cell.number;
        if (cell.kind == WorkbookCell::Empty)
            return std::nullopt;
        if (cell.kind == WorkbookCell::Text) {
            const QString text = cell.text.trimmed();
            if (text.isEmpty())
                return std::nullopt;
            bool ok = false;
            number = QString(text).replace(m_formats.decimalSeparator, u'.').toDouble(&ok);
            if (!ok)
                throw ConversionError(
                    Message("XlsNotInteger").arg(m_fileName).arg(text).arg(m_sheet.name).arg(row + 1).arg(column + 1));
        } else if (cell.kind != WorkbookCell::Integer && cell.kind != WorkbookCell::Number) {
            throw ConversionError(Message("XlsDateForNumber").arg(m_fileName).arg(m_sheet.name).arg(row + 1).arg(column + 1));
        }
        const std::int64_t rounded = RoundHalfEven(number); // NaN gives 0, hence its own check
        if (std::isnan(number) || rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
            throw ConversionError(
                Message("XlsNumberOutOfRange").arg(m_fileName).arg(QString::number(number)).arg(m_sheet.name).arg(row + 1));
        return static_cast<std::int32_t>(rounded);
    }

    QString numberText(double number) const
    {
        if (number == std::floor(number) && std::fabs(number) < 1e15)
            return QString::number(static_cast<qint64>(number));
        QString text = QString::number(number, 'g', 15);
        return text.replace(u'.', m_formats.decimalSeparator);
    }

    QString dateText(const QString& isoDate) const
    {
        const QDate date = QDate::fromString(isoDate, Qt::ISODate);
        return date.isValid() ? m_formats.formatDate(date) : isoDate;
    }

    // A lone LF (as a spreadsheet writes a line break) becomes CR LF; CR LF stays.
    static QString withCrLf(QString text)
    {
        for (qsizetype i = text.indexOf(u'\n'); i >= 0; i = text.indexOf(u'\n', i + 1))
            if (i == 0 || text[i - 1] != u'\r')
                text.insert(i++, u'\r');
        return text;
    }

    const WorksheetCells& m_sheet;
    const QString& m_fileName;
    const LocaleFormats& m_formats;
};

} // namespace

void LoadFromWorkbookCells(const std::vector<WorksheetCells>& sheets, const QString& fileName, TZKLists& into)
{
    try {
        for (const WorksheetCells& sheet : sheets)
            SheetReader(sheet, fileName, into.Formats).read(into);
    } catch (const std::bad_alloc&) {
        throw FormatError(Message("XlsNoMemoryForRecords").arg(fileName));
    }
}

void LoadFromExcel(const QString& fileName, TZKLists& into)
{
    LoadFromWorkbookCells(ReadWorkbookCells(fileName, kWorkbookColumns), fileName, into);
}

void SaveToExcel(const QString& fileName, const TZKLists& lists)
{
    Biff8Workbook book;
    QSet<QString> taken;
    for (int i = 0; i < lists.Count(); ++i) {
        const TZKList& list = *lists.List(i);
        addSheet(book, list, sheetName(list.Name, i + 1, taken), fileName);
    }
    AtomicFile file(fileName);
    WriteCompoundFile(file, QStringLiteral("Workbook"), book.Build());
    file.commit();
}

} // namespace reelkeep
