#include "ExcelWorkbook.h"

#include "Biff8Workbook.h"
#include "CompoundFile.h"
#include "FileIO.h"
#include "ReelkeepError.h"
#include "RowOrder.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <freexl.h>
#include <limits>

namespace reelkeep {
namespace {

// Columns (0-based) of the record's ID and GroupID. The header cell of the ID
// column holds the list name when the worksheet could not be named after it, and
// the number 0 for a list without a name (an empty text is no cell at all).
constexpr int kIdColumn = kStoredColumnCount;
constexpr int kGroupColumn = kStoredColumnCount + 1;
constexpr int kSheetColumns = kStoredColumnCount + 2;
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

void checkText(const QString& text, const QString& fileName, const TZKList& list, const QString& where)
{
    if (!Biff8Workbook::Fits(text))
        throw FormatError(QStringLiteral("Cannot save \"%1\" as an Excel workbook: %2 of list \"%3\" has %4 characters, "
                                         "more than an .xls cell can hold here (%5, or %6 for text with characters "
                                         "beyond Latin-1). Save the catalogue as .kdx or .xkdx.")
                              .arg(fileName, where, list.Name)
                              .arg(text.size())
                              .arg(Biff8Workbook::kMaxNarrowText)
                              .arg(Biff8Workbook::kMaxWideText));
}

void addSheet(Biff8Workbook& book, const TZKList& list, const QString& name, const QString& fileName)
{
    const qint64 rows = RowCountAllLevels(list);
    if (rows + 1 > Biff8Workbook::kMaxRows)
        throw FormatError(QStringLiteral("Cannot save \"%1\" as an Excel workbook: list \"%2\" has %3 records, more than a "
                                         "worksheet holds (%4). Save the catalogue as .kdx or .xkdx.")
                              .arg(fileName, list.Name)
                              .arg(rows)
                              .arg(Biff8Workbook::kMaxRows - 1));
    book.AddSheet(name);
    for (int c = 0; c < kStoredColumnCount; ++c) {
        const QString& columnName = list.GetColumnName(c);
        checkText(columnName, fileName, list, QStringLiteral("the name of column %1").arg(c));
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
        checkText(list.Name, fileName, list, QStringLiteral("the name"));
        book.SetText(0, kIdColumn, list.Name);
    }
    int r = 1;
    ForEachRowDepthFirst(list, [&](const TzkRow& row) {
        for (int c = 0; c < kStoredColumnCount; ++c) {
            const QString& text = row.Fields[size_t(c)];
            checkText(text, fileName, list, QStringLiteral("cell %1 of record %2").arg(c).arg(row.ID));
            if (!text.isEmpty())
                book.SetText(r, c, text);
        }
        book.SetNumber(r, kIdColumn, row.ID);
        book.SetNumber(r, kGroupColumn, row.GroupID);
        ++r;
    });
}

// ---- reading ----

class FreeXlWorkbook {
public:
    explicit FreeXlWorkbook(const QString& fileName) : m_fileName(fileName)
    {
        const int rc = freexl_open(QFile::encodeName(fileName).constData(), &m_handle);
        if (rc == FREEXL_FILE_NOT_FOUND)
            throw FileError(QStringLiteral("Cannot open file \"%1\".").arg(fileName));
        check(rc);
        if (!m_handle)
            check(FREEXL_NULL_HANDLE); // a workbook it gave up on without saying so
        unsigned int protection = 0;
        if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK && protection == FREEXL_BIFF_OBFUSCATED)
            throw FormatError(QStringLiteral("Cannot read \"%1\": the workbook is protected by a password.").arg(fileName));
    }
    ~FreeXlWorkbook()
    {
        if (m_handle)
            freexl_close(m_handle);
    }
    FreeXlWorkbook(const FreeXlWorkbook&) = delete;
    FreeXlWorkbook& operator=(const FreeXlWorkbook&) = delete;

    void check(int rc) const
    {
        if (rc != FREEXL_OK)
            throw FormatError(QStringLiteral("Cannot read \"%1\": it is not a readable Excel 97-2003 workbook "
                                             "(error %2).")
                                  .arg(m_fileName)
                                  .arg(rc));
    }

    unsigned int info(unsigned short what) const
    {
        unsigned int value = 0;
        check(freexl_get_info(m_handle, what, &value));
        return value;
    }

    const void* handle() const { return m_handle; }

private:
    const QString& m_fileName;
    const void* m_handle = nullptr;
};

class SheetReader {
public:
    SheetReader(const FreeXlWorkbook& book, const QString& fileName, unsigned short index, const LocaleFormats& formats)
        : m_book(book), m_fileName(fileName), m_formats(formats)
    {
        const char* name = nullptr;
        m_book.check(freexl_get_worksheet_name(m_book.handle(), index, &name));
        m_name = QString::fromUtf8(name);
        m_book.check(freexl_select_active_worksheet(m_book.handle(), index));
        m_book.check(freexl_worksheet_dimensions(m_book.handle(), &m_rows, &m_columns));
    }

    const QString& name() const { return m_name; }

    // Rows from the first down to the one before the first row whose 23 columns are
    // all empty; at least the header row, as a spreadsheet's region around A1 is.
    unsigned int regionRows()
    {
        unsigned int r = 0;
        while (r < m_rows && !rowIsEmpty(r))
            ++r;
        return std::max(r, 1u);
    }

    FreeXL_CellValue cell(unsigned int row, int column) const
    {
        FreeXL_CellValue value{};
        value.type = FREEXL_CELL_NULL;
        if (row < m_rows && column < m_columns)
            m_book.check(freexl_get_cell_value(m_book.handle(), row, static_cast<unsigned short>(column), &value));
        return value;
    }

    static bool isText(const FreeXL_CellValue& value)
    {
        return value.type == FREEXL_CELL_TEXT || value.type == FREEXL_CELL_SST_TEXT;
    }

    // The cell as the model's text: numbers without a fraction when whole, dates
    // in the short date format, every line break as CR LF.
    QString text(unsigned int row, int column) const
    {
        const FreeXL_CellValue value = cell(row, column);
        switch (value.type) {
        case FREEXL_CELL_INT:
            return QString::number(value.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return numberText(value.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            return withCrLf(QString::fromUtf8(value.value.text_value));
        case FREEXL_CELL_DATE:
            return dateText(QString::fromUtf8(value.value.text_value));
        case FREEXL_CELL_DATETIME: {
            const QString stamp = QString::fromUtf8(value.value.text_value);
            return dateText(stamp.left(10)) + stamp.mid(10);
        }
        case FREEXL_CELL_TIME:
            return QString::fromUtf8(value.value.text_value);
        default:
            return {};
        }
    }

    // The ID or GroupID in a cell; empty when the cell is.
    std::optional<std::int32_t> whole(unsigned int row, int column) const
    {
        const FreeXL_CellValue value = cell(row, column);
        double number = 0;
        if (value.type == FREEXL_CELL_INT) {
            number = value.value.int_value;
        } else if (value.type == FREEXL_CELL_DOUBLE) {
            number = value.value.double_value;
        } else if (isText(value)) {
            const QString text = QString::fromUtf8(value.value.text_value).trimmed();
            if (text.isEmpty())
                return std::nullopt;
            bool ok = false;
            number = QString(text).replace(m_formats.decimalSeparator, u'.').toDouble(&ok);
            if (!ok)
                throw ConversionError(QStringLiteral("Cannot read \"%1\": \"%2\" in worksheet \"%3\", row %4, column %5 "
                                                     "is not a valid integer value.")
                                          .arg(m_fileName, text, m_name)
                                          .arg(row + 1)
                                          .arg(column + 1));
        } else if (value.type == FREEXL_CELL_NULL) {
            return std::nullopt;
        } else {
            throw ConversionError(QStringLiteral("Cannot read \"%1\": worksheet \"%2\", row %3, column %4 holds a date "
                                                 "where a record number belongs.")
                                      .arg(m_fileName, m_name)
                                      .arg(row + 1)
                                      .arg(column + 1));
        }
        const double rounded = std::nearbyint(number); // halves to even
        if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
            throw ConversionError(QStringLiteral("Cannot read \"%1\": the record number %2 in worksheet \"%3\", row %4 "
                                                 "is out of range.")
                                      .arg(m_fileName)
                                      .arg(number)
                                      .arg(m_name)
                                      .arg(row + 1));
        return static_cast<std::int32_t>(rounded);
    }

private:
    bool rowIsEmpty(unsigned int row) const
    {
        for (int c = 0; c < kSheetColumns; ++c) {
            const FreeXL_CellValue value = cell(row, c);
            if (value.type != FREEXL_CELL_NULL && !(isText(value) && value.value.text_value[0] == '\0'))
                return false;
        }
        return true;
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

    const FreeXlWorkbook& m_book;
    const QString& m_fileName;
    const LocaleFormats& m_formats;
    QString m_name;
    unsigned int m_rows = 0;
    unsigned short m_columns = 0;
};

void readSheet(SheetReader& sheet, TZKLists& into, const QString& fileName)
{
    const unsigned int rows = sheet.regionRows();
    QString name = sheet.name();
    const FreeXL_CellValue nameCell = sheet.cell(0, kIdColumn);
    if (SheetReader::isText(nameCell))
        name = QString::fromUtf8(nameCell.value.text_value);
    else if (nameCell.type == FREEXL_CELL_INT || nameCell.type == FREEXL_CELL_DOUBLE)
        name.clear();
    TZKList& list = *into.AddList(int(std::min(rows - 1, 1u << 20)), name);
    struct Placed {
        TzkRow* row;
        int depth;
    };
    QHash<std::int32_t, Placed> byId; // first row of each ID, as a search from the top finds it
    for (unsigned int r = 1; r < rows; ++r) {
        auto row = std::make_unique<TzkRow>();
        for (int c = 0; c < kStoredColumnCount; ++c)
            row->Fields[size_t(c)] = sheet.text(r, c);
        if (row->Fields[csColour].isEmpty())
            row->Fields[csColour] = QStringLiteral("00FFFFFF");
        if (const auto id = sheet.whole(r, kIdColumn))
            row->ID = *id;
        Placed parent{nullptr, 0};
        if (const auto groupId = sheet.whole(r, kGroupColumn); groupId && *groupId != -1)
            parent = byId.value(*groupId, Placed{nullptr, 0});
        if (parent.depth >= kMaxRowNesting)
            throw FormatError(QStringLiteral("Cannot read \"%1\": records in worksheet \"%2\" are nested more than %3 levels "
                                             "deep.")
                                  .arg(fileName, sheet.name())
                                  .arg(kMaxRowNesting));
        TzkRow* placed = list.InsertRow(std::move(row), parent.row);
        if (placed->ID != -1)
            byId.emplace(placed->ID, Placed{placed, parent.depth + 1});
    }
    for (int c = 0; c < kStoredColumnCount; ++c)
        list.SetColumnName(c, sheet.text(0, c));
}

} // namespace

void LoadFromExcel(const QString& fileName, TZKLists& into)
{
    const FreeXlWorkbook book(fileName);
    const unsigned int sheets = book.info(FREEXL_BIFF_SHEET_COUNT);
    for (unsigned int i = 0; i < sheets && i <= std::numeric_limits<unsigned short>::max(); ++i) {
        SheetReader sheet(book, fileName, static_cast<unsigned short>(i), into.Formats);
        readSheet(sheet, into, fileName);
    }
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
