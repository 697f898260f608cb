#include "ListPrinting.h"

#include "IniFile.h"
#include "IntegerText.h"
#include "PenStyles.h"
#include "ReelkeepError.h"
#include "SettingsReader.h"
#include "CoverPrinting.h"
#include "TextFitting.h"
#include "TzkPrinter.h"
#include "TZKList.h"
#include "TzkPrintOptions.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <optional>

namespace reelkeep {

namespace {

const QString kSection = QStringLiteral("print");

QFont deviceFont(int points, double dpiY)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpiY / 72.0))));
    return font;
}

void appendRows(const TzkRow& row, std::vector<const TzkRow*>& rows)
{
    rows.push_back(&row);
    for (int k = 0; k < row.VisibleRowCount(); ++k)
        appendRows(*row.VisibleRow(k), rows);
}

// The page being printed: geometry in printer pixels and the drawing steps.
class ListPage {
public:
    ListPage(TzkPrinter& printer, const TZKList& list, const ListPrintSettings& settings, std::vector<int> columns,
             const std::vector<int>& widths)
        : m_printer(printer), m_list(list), m_columns(std::move(columns))
    {
        const double px = printer.DpiX() / 25.4;
        const double py = printer.DpiY() / 25.4;
        m_columns.resize(std::min(m_columns.size(), widths.size()));
        m_bounds.push_back(printer.PhysicalOffsetX());
        for (size_t k = 0; k < m_columns.size(); ++k)
            m_bounds.push_back(Nearest(m_bounds.back() + double(Nearest(widths[k] * px))));
        OY = printer.PhysicalOffsetY();
        Bottom = printer.PhysicalHeight() - printer.UnprintableHeight();
        // Line widths beyond a centimetre can only come from a damaged file.
        const double head = std::clamp(settings.HeadLineWidth, 0.0, 10.0);
        const double hor = std::clamp(settings.HorLineWidth, 0.0, 10.0);
        HW = Nearest(head * py);
        HWX = Nearest(head * px);
        HL = Nearest(hor * py);
        VW = Nearest(std::clamp(settings.VertLineWidth, 0.0, 10.0) * px);
        m_headStyle = zkOptions::PenStyleFromText(settings.HeadLineStyle, psSolid);
        m_vertStyle = zkOptions::PenStyleFromText(settings.VertLineStyle, psSolid);
        m_horStyle = zkOptions::PenStyleFromText(settings.HorLineStyle, psSolid);

        // The page font is 8 points scaled by how much taller text is on the
        // printer than on the screen-sized recording.
        const double ratio = double(TextHeight(QFontMetrics(deviceFont(10, printer.DpiY()))))
                             / TextHeight(QFontMetrics(PixelFont(QStringLiteral("Arial"), 10)));
        m_pagePoints = Nearest(8 * ratio);
    }

    void SetPageFont()
    {
        canvas().setFont(PixelFont(QStringLiteral("Arial"), m_pagePoints));
        TH = TextHeight(canvas().fontMetrics());
        LineH = TH + HL;
    }

    void Header()
    {
        QPainter& c = canvas();
        const QFontMetrics metrics = c.fontMetrics();
        c.setPen(MakePen(m_headStyle, HW, Qt::black));
        c.drawLine(left(), Y0, right(), Y0);
        c.drawLine(left(), Y0 + TH + 2 * HW, right(), Y0 + TH + 2 * HW);
        for (size_t j = 0; j < m_columns.size(); ++j) {
            const int column = m_columns[j] - 1;
            const QString name = hasCell(column) ? FitText(OneLine(m_list.GetColumnName(column)), width(j), metrics) : QString();
            write(name, m_bounds[j] + HWX, Y0 + HW);
            c.drawLine(m_bounds[j], Y0, m_bounds[j], Y0 + TextHeight(metrics) + 2 * HW);
        }
        c.drawLine(right(), Y0, right(), Y0 + TH + 2 * HW);
        Y0 += TH + 3 * HW;
    }

    // Prints row r at position p; true when the row ran past the page bottom.
    bool Row(const TzkRow& row, int p)
    {
        QPainter& c = canvas();
        const QFontMetrics metrics = c.fontMetrics();
        const int top = p * LineH + Y0;
        for (size_t j = 0; j < m_columns.size(); ++j) {
            const int column = m_columns[j] - 1;
            if (hasCell(column))
                write(FitText(OneLine(row.Fields[static_cast<size_t>(column)]), width(j), metrics), m_bounds[j] + HWX, top);
        }
        c.setPen(MakePen(m_horStyle, HL, Qt::black));
        if (p > 0)
            c.drawLine(left(), top, right(), top);
        return p * (TH + 2 * HL) + Y0 > Bottom;
    }

    void Frame(int bottom)
    {
        QPainter& c = canvas();
        c.setPen(MakePen(m_headStyle, HW, Qt::black));
        c.drawLine(left(), OY + TH, left(), bottom);
        c.drawLine(right(), OY + TH, right(), bottom);
        c.drawLine(left(), bottom, right(), bottom);
        c.setPen(MakePen(m_vertStyle, VW, Qt::black));
        for (size_t k = 1; k + 1 < m_bounds.size(); ++k)
            c.drawLine(m_bounds[k], OY + TH, m_bounds[k], bottom);
    }

    int OY = 0, Bottom = 0, HW = 0, HWX = 0, HL = 0, VW = 0, TH = 0, LineH = 0;
    int Y0 = 0;

private:
    QPainter& canvas() { return m_printer.PageCanvas; }
    int left() const { return m_bounds.front(); }
    int right() const { return m_bounds.back(); }
    int width(size_t j) const { return m_bounds[j + 1] - m_bounds[j]; }
    static bool hasCell(int column) { return column >= 0 && column < kStoredColumnCount; }

    void write(const QString& text, int x, int top)
    {
        if (!text.isEmpty())
            canvas().drawText(x, top + canvas().fontMetrics().ascent(), text);
    }

    TzkPrinter& m_printer;
    const TZKList& m_list;
    std::vector<int> m_columns;
    std::vector<int> m_bounds;
    std::uint8_t m_headStyle = 0, m_vertStyle = 0, m_horStyle = 0;
    int m_pagePoints = 8;
};

} // namespace

ListPrintSettings ReadListPrintSettings(const QString& settingsFile, QChar decimalSeparator, std::vector<Message>& warnings)
{
    std::optional<IniFile> setup;
    try {
        setup.emplace(settingsFile);
    } catch (const FileError& error) {
        warnings.push_back(SettingsReader::UnreadableFileWarning(error.text()));
        return {};
    }
    const SettingsReader read(*setup, warnings);
    const auto isNumberList = [](const QString& text) {
        try {
            ParseNumberList(text);
            return true;
        } catch (const ConversionError&) {
            return false;
        }
    };
    const auto style = [&](const char* key, const QString& fallback) {
        return zkOptions::PenStyleToText(read.PenStyle(kSection, QString::fromLatin1(key), zkOptions::PenStyleFromText(fallback)));
    };
    ListPrintSettings s;
    s.Columns = read.Text(kSection, QStringLiteral("Columns"), s.Columns, isNumberList);
    s.ColumnsWidth = read.Text(kSection, QStringLiteral("ColumnsWidth"), s.ColumnsWidth, isNumberList);
    s.HeadLineWidth = read.Float(kSection, QStringLiteral("HeadLineWidth"), s.HeadLineWidth, decimalSeparator);
    s.VertLineWidth = read.Float(kSection, QStringLiteral("VertLineWidth"), s.VertLineWidth, decimalSeparator);
    s.HorLineWidth = read.Float(kSection, QStringLiteral("HorLineWidth"), s.HorLineWidth, decimalSeparator);
    s.HeadLineStyle = style("HeadLineStyle", s.HeadLineStyle);
    s.VertLineStyle = style("VertLineStyle", s.VertLineStyle);
    s.HorLineStyle = style("HorLineStyle", s.HorLineStyle);
    return s;
}

std::vector<int> ParseNumberList(const QString& text)
{
    std::vector<int> numbers;
    QString rest = text;
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        numbers.push_back(ToInteger(comma < 0 ? rest : rest.left(comma)));
        rest = comma < 0 ? QString() : rest.mid(comma + 1);
    }
    return numbers;
}

std::vector<const TzkRow*> GridRows(const TZKList& list)
{
    std::vector<const TzkRow*> rows;
    for (int k = 0; k < list.VisibleRowCount(); ++k)
        appendRows(*list.VisibleRow(k), rows);
    return rows;
}

void PrintList(TzkPrinter& printer, const TZKList& list, const std::vector<const TzkRow*>& rows,
               const ListPrintSettings& settings)
{
    ListPage page(printer, list, settings, ParseNumberList(settings.Columns), ParseNumberList(settings.ColumnsWidth));
    printer.BeginDoc();
    page.SetPageFont();
    page.Y0 = page.OY;
    page.Header();
    int first = 0;
    int bottom = page.LineH + page.Y0;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const int p = r - first;
        bottom = (p + 1) * page.LineH + page.Y0;
        if (page.Row(*rows[static_cast<size_t>(r)], p)) {
            page.Frame(bottom);
            page.Y0 = page.OY;
            first = r;
            printer.EndPage();
            printer.NewPage();
            page.SetPageFont();
            page.Header();
            // Should no row follow, the page keeps only its header.
            bottom = page.Y0;
        }
    }
    page.Frame(bottom);
    printer.EndPage();
    printer.EndDoc();
}

} // namespace reelkeep
