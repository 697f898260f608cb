#include "FreeXlReader.h"

#include "ReelkeepError.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <freexl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace reelkeep {
namespace {

// A reading that takes longer than this is taken for a hang on a damaged file.
constexpr int kTimeoutMs = 120000;
constexpr int kPasswordProtected = 1;

// ---- child: FreeXL's cells as a byte dump on the pipe ----
//
// Dump: int32 FreeXL status (or a negative of ours); when 0 a uint32 sheet count,
// then per sheet its UTF-8 name and rows, each row a 1 byte and its cells, the
// sheet closed by a 0 byte. A cell is its FreeXL type byte followed by an int32
// (INT), a double (DOUBLE), a UTF-8 string (texts, dates, times) or nothing.
// Strings are a uint32 length and the bytes. Native byte order: same machine.

class Dump {
public:
    void put32(std::uint32_t v) { m_out.append(reinterpret_cast<const char*>(&v), sizeof v); }
    void putDouble(double v) { m_out.append(reinterpret_cast<const char*>(&v), sizeof v); }
    void put8(unsigned char v) { m_out.push_back(static_cast<char>(v)); }
    void putString(const char* s)
    {
        const size_t n = s ? std::strlen(s) : 0;
        put32(static_cast<std::uint32_t>(n));
        m_out.append(s ? s : "", n);
    }
    std::string& bytes() { return m_out; }

private:
    std::string m_out;
};

bool isText(const FreeXL_CellValue& v)
{
    return v.type == FREEXL_CELL_TEXT || v.type == FREEXL_CELL_SST_TEXT || v.type == FREEXL_CELL_DATE
        || v.type == FREEXL_CELL_DATETIME || v.type == FREEXL_CELL_TIME;
}

int dumpSheets(const void* handle, int columns, Dump& dump)
{
    unsigned int protection = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &protection) == FREEXL_OK && protection == FREEXL_BIFF_OBFUSCATED)
        return kPasswordProtected;
    unsigned int sheets = 0;
    if (const int rc = freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets); rc != FREEXL_OK)
        return rc;
    if (sheets > 0xFFFF)
        return FREEXL_CRAFTED_FILE;
    dump.put32(sheets);
    std::vector<FreeXL_CellValue> row(static_cast<size_t>(columns));
    for (unsigned short i = 0; i < sheets; ++i) {
        const char* name = nullptr;
        unsigned int rows = 0;
        unsigned short width = 0;
        if (int rc = freexl_get_worksheet_name(handle, i, &name); rc != FREEXL_OK)
            return rc;
        dump.putString(name);
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
            dump.put8(1);
            for (const FreeXL_CellValue& v : row) {
                dump.put8(v.type);
                if (v.type == FREEXL_CELL_INT)
                    dump.put32(static_cast<std::uint32_t>(v.value.int_value));
                else if (v.type == FREEXL_CELL_DOUBLE)
                    dump.putDouble(v.value.double_value);
                else if (isText(v))
                    dump.putString(v.value.text_value);
            }
        }
        dump.put8(0);
    }
    return FREEXL_OK;
}

[[noreturn]] void runChild(const QByteArray& path, int columns, int fd)
{
    Dump body;
    const void* handle = nullptr;
    int rc = freexl_open(path.constData(), &handle);
    if (rc == FREEXL_OK && !handle)
        rc = FREEXL_NULL_HANDLE; // a workbook it gave up on without saying so
    if (rc == FREEXL_OK)
        rc = dumpSheets(handle, columns, body);
    if (handle)
        freexl_close(handle);
    Dump head;
    head.put32(static_cast<std::uint32_t>(rc));
    if (rc == FREEXL_OK)
        head.bytes() += body.bytes();
    const std::string& out = head.bytes();
    for (size_t done = 0; done < out.size();) {
        const ssize_t n = ::write(fd, out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            _exit(2);
        done += size_t(n);
    }
    _exit(0);
}

// ---- parent ----

QByteArray runIsolated(const QString& fileName, int columns)
{
    const QByteArray path = QFile::encodeName(fileName);
    int fds[2];
    if (::pipe(fds) != 0)
        throw FileError(QStringLiteral("Cannot read \"%1\": %2").arg(fileName, QString::fromLocal8Bit(std::strerror(errno))));
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw FileError(QStringLiteral("Cannot read \"%1\": %2").arg(fileName, QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (child == 0) {
        ::close(fds[0]);
        runChild(path, columns, fds[1]);
    }
    ::close(fds[1]);
    QByteArray dump;
    bool timedOut = false;
    char buffer[65536];
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, kTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = true;
            break;
        }
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        dump.append(buffer, n);
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw FormatError(QStringLiteral("Cannot read \"%1\": the workbook is damaged.").arg(fileName));
    return dump;
}

// Reads the dump; it comes from our own child, but is still checked as it goes.
class DumpReader {
public:
    DumpReader(const QByteArray& bytes, const QString& fileName) : m_bytes(bytes), m_fileName(fileName) {}

    template <typename T>
    T take()
    {
        T v;
        need(sizeof v);
        std::memcpy(&v, m_bytes.constData() + m_at, sizeof v);
        m_at += qsizetype(sizeof v);
        return v;
    }
    QString takeString()
    {
        const auto n = take<std::uint32_t>();
        need(n);
        const QString s = QString::fromUtf8(m_bytes.constData() + m_at, qsizetype(n));
        m_at += qsizetype(n);
        return s;
    }

private:
    void need(size_t n) const
    {
        if (size_t(m_bytes.size() - m_at) < n)
            throw FormatError(QStringLiteral("Cannot read \"%1\": the workbook is damaged.").arg(m_fileName));
    }

    const QByteArray& m_bytes;
    const QString& m_fileName;
    qsizetype m_at = 0;
};

WorkbookCell takeCell(DumpReader& in, const QString& fileName)
{
    WorkbookCell cell;
    switch (in.take<unsigned char>()) {
    case FREEXL_CELL_NULL:
        break;
    case FREEXL_CELL_INT:
        cell.kind = WorkbookCell::Integer;
        cell.number = static_cast<std::int32_t>(in.take<std::uint32_t>());
        break;
    case FREEXL_CELL_DOUBLE:
        cell.kind = WorkbookCell::Number;
        cell.number = in.take<double>();
        break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        cell.kind = WorkbookCell::Text;
        cell.text = in.takeString();
        break;
    case FREEXL_CELL_DATE:
        cell.kind = WorkbookCell::Date;
        cell.text = in.takeString();
        break;
    case FREEXL_CELL_DATETIME:
        cell.kind = WorkbookCell::DateTime;
        cell.text = in.takeString();
        break;
    case FREEXL_CELL_TIME:
        cell.kind = WorkbookCell::Time;
        cell.text = in.takeString();
        break;
    default:
        throw FormatError(QStringLiteral("Cannot read \"%1\": the workbook is damaged.").arg(fileName));
    }
    return cell;
}

} // namespace

std::vector<WorksheetCells> ReadWorkbookCells(const QString& fileName, int columns)
{
    if (!QFile::exists(fileName))
        throw FileError(QStringLiteral("Cannot open file \"%1\".").arg(fileName));
    const QByteArray dump = runIsolated(fileName, columns);
    DumpReader in(dump, fileName);
    const auto rc = static_cast<std::int32_t>(in.take<std::uint32_t>());
    if (rc == kPasswordProtected)
        throw FormatError(QStringLiteral("Cannot read \"%1\": the workbook is protected by a password.").arg(fileName));
    if (rc == FREEXL_FILE_NOT_FOUND)
        throw FileError(QStringLiteral("Cannot open file \"%1\".").arg(fileName));
    if (rc != FREEXL_OK)
        throw FormatError(QStringLiteral("Cannot read \"%1\": it is not a readable Excel 97-2003 workbook (error %2).")
                              .arg(fileName)
                              .arg(rc));
    std::vector<WorksheetCells> sheets(in.take<std::uint32_t>() & 0xFFFF);
    for (WorksheetCells& sheet : sheets) {
        sheet.name = in.takeString();
        while (in.take<unsigned char>() != 0) {
            std::vector<WorkbookCell>& row = sheet.rows.emplace_back();
            row.reserve(size_t(columns));
            for (int c = 0; c < columns; ++c)
                row.push_back(takeCell(in, fileName));
        }
    }
    return sheets;
}

} // namespace reelkeep
