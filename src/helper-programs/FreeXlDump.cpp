#include "FreeXlDump.h"

#include "FreeXlReader.h"
#include "Wire.h"

#include <freexl.h>
#include <vector>

namespace reelkeep {
namespace {

constexpr qsizetype kPieceBytes = 1 << 16;

// Collects the dump and hands it on in pieces, so that the helper holds little of it.
class DumpOut {
public:
    explicit DumpOut(const std::function<bool(QByteArrayView)>& sink) : m_sink(sink) {}

    WireWriter& wire() { return m_wire; }
    // False once sink asked to stop.
    bool flush(bool whole)
    {
        if (m_wire.bytes().size() < kPieceBytes && !whole)
            return true;
        m_stopped = !m_sink(m_wire.bytes());
        m_wire.bytes().clear();
        return !m_stopped;
    }
    bool stopped() const { return m_stopped; }

private:
    const std::function<bool(QByteArrayView)>& m_sink;
    WireWriter m_wire;
    bool m_stopped = false;
};

bool isText(const FreeXL_CellValue& v)
{
    return v.type == FREEXL_CELL_TEXT || v.type == FREEXL_CELL_SST_TEXT || v.type == FREEXL_CELL_DATE
        || v.type == FREEXL_CELL_DATETIME || v.type == FREEXL_CELL_TIME;
}

WorkbookCell::Kind kindOf(const FreeXL_CellValue& v)
{
    switch (v.type) {
    case FREEXL_CELL_INT:
        return WorkbookCell::Integer;
    case FREEXL_CELL_DOUBLE:
        return WorkbookCell::Number;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return WorkbookCell::Text;
    case FREEXL_CELL_DATE:
        return WorkbookCell::Date;
    case FREEXL_CELL_DATETIME:
        return WorkbookCell::DateTime;
    case FREEXL_CELL_TIME:
        return WorkbookCell::Time;
    default:
        return WorkbookCell::Empty;
    }
}

void putCell(WireWriter& wire, const FreeXL_CellValue& v)
{
    const WorkbookCell::Kind kind = kindOf(v);
    wire.put(static_cast<unsigned char>(kind));
    if (kind == WorkbookCell::Integer)
        wire.put(double(v.value.int_value));
    else if (kind == WorkbookCell::Number)
        wire.put(v.value.double_value);
    else if (kind != WorkbookCell::Empty)
        wire.putBytes(v.value.text_value ? QByteArrayView(v.value.text_value) : QByteArrayView());
}

// FREEXL_OK, a FreeXL error or the password status; FREEXL_OK too when sink stopped it.
int dumpSheets(const void* handle, int columns, DumpOut& out)
{
    unsigned int protection = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK && protection == FREEXL_BIFF_OBFUSCATED)
        return workbook_dump::kPasswordProtected;
    unsigned int sheets = 0;
    if (const int rc = freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets); rc != FREEXL_OK)
        return rc;
    if (sheets > 0xFFFF)
        return FREEXL_CRAFTED_FILE;
    std::vector<FreeXL_CellValue> row(static_cast<size_t>(columns));
    for (unsigned short i = 0; i < sheets; ++i) {
        const char* name = nullptr;
        unsigned int rows = 0;
        unsigned short width = 0;
        if (int rc = freexl_get_worksheet_name(handle, i, &name); rc != FREEXL_OK)
            return rc;
        out.wire().put(static_cast<unsigned char>(workbook_dump::Sheet));
        out.wire().putBytes(name ? QByteArrayView(name) : QByteArrayView());
        if (int rc = freexl_select_active_worksheet(handle, i); rc != FREEXL_OK)
            return rc;
        if (int rc = freexl_worksheet_dimensions(handle, &rows, &width); rc != FREEXL_OK)
            return rc;
        for (unsigned int r = 0; r < rows; ++r) {
            bool empty = true;
            for (int c = 0; c < columns; ++c) {
                FreeXL_CellValue& v = row[size_t(c)];
                v.type = FREEXL_CELL_NULL;
                if (c < width)
                    if (int rc = freexl_get_cell_value(handle, r, static_cast<unsigned short>(c), &v); rc != FREEXL_OK)
                        return rc;
                if (v.type != FREEXL_CELL_NULL && !(isText(v) && (!v.value.text_value || !*v.value.text_value)))
                    empty = false;
            }
            if (empty)
                break;
            out.wire().put(static_cast<unsigned char>(workbook_dump::Row));
            for (const FreeXL_CellValue& v : row)
                putCell(out.wire(), v);
            if (!out.flush(false))
                return FREEXL_OK;
        }
    }
    return FREEXL_OK;
}

} // namespace

void DumpWorkbook(const QByteArray& path, int columns, const std::function<bool(QByteArrayView)>& sink)
{
    DumpOut out(sink);
    const void* handle = nullptr;
    int rc = freexl_open(path.constData(), &handle);
    if (rc == FREEXL_OK && !handle)
        rc = FREEXL_NULL_HANDLE; // a workbook it gave up on without saying so
    if (rc == FREEXL_OK)
        rc = dumpSheets(handle, columns, out);
    if (handle)
        freexl_close(handle);
    if (out.stopped())
        return;
    out.wire().put(static_cast<unsigned char>(workbook_dump::End));
    out.wire().put(static_cast<std::int32_t>(rc));
    out.flush(true);
}

} // namespace reelkeep
