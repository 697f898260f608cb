#include "CoverJson.h"

#include "CoverStream.h"
#include "ReelkeepError.h"
#include "ZKCover.h"

#include <QJsonArray>
#include <optional>

namespace reelkeep {

namespace {

// Millimetres as they are stored, so 12.3 prints as 12.3 and not as its float.
double stored(float value)
{
    const StoredDecimal d = ToStoredDecimal(value);
    return double(d.numerator) / d.denominator;
}

void putBox(QJsonObject& json, const ZKShape& shape)
{
    json[QStringLiteral("x")] = stored(shape.X);
    json[QStringLiteral("y")] = stored(shape.Y);
    json[QStringLiteral("width")] = stored(shape.Width);
    json[QStringLiteral("height")] = stored(shape.Height);
}

class Fields {
public:
    Fields(const QJsonObject& json, QString where) : m_json(json), m_where(std::move(where)) {}

    double number(const char* name, double low, double high, std::optional<double> fallback = {}) const
    {
        const QJsonValue value = m_json.value(QLatin1String(name));
        if (value.isUndefined() && fallback)
            return *fallback;
        if (!value.isDouble() || value.toDouble() < low || value.toDouble() > high)
            fail(QStringLiteral("\"%1\" must be a number from %2 to %3").arg(QLatin1String(name)).arg(low).arg(high));
        return value.toDouble();
    }

    QString text(const char* name, std::optional<QString> fallback = {}) const
    {
        const QJsonValue value = m_json.value(QLatin1String(name));
        if (value.isUndefined() && fallback)
            return *fallback;
        if (!value.isString())
            fail(QStringLiteral("\"%1\" must be a text").arg(QLatin1String(name)));
        return value.toString();
    }

    [[noreturn]] void fail(const QString& what) const { throw FormatError(m_where + QStringLiteral(": ") + what); }

private:
    const QJsonObject& m_json;
    QString m_where;
};

constexpr double kMaxMm = 100000;

void takeBox(const Fields& f, ZKShape& shape)
{
    shape.X = float(f.number("x", -kMaxMm, kMaxMm));
    shape.Y = float(f.number("y", -kMaxMm, kMaxMm));
    shape.Width = float(f.number("width", -kMaxMm, kMaxMm));
    shape.Height = float(f.number("height", -kMaxMm, kMaxMm));
}

} // namespace

QJsonObject CoverToJson(const ZKCover& cover)
{
    QJsonArray shapes;
    for (const auto& shape : cover.Shapes) {
        QJsonObject json;
        if (const auto* text = dynamic_cast<const ZKText*>(shape.get())) {
            json[QStringLiteral("kind")] = QStringLiteral("text");
            putBox(json, *text);
            json[QStringLiteral("font")] = text->FontName;
            json[QStringLiteral("size")] = text->FontSize;
            json[QStringLiteral("angle")] = stored(text->Angle);
            json[QStringLiteral("alignment")] = text->Alignment;
            json[QStringLiteral("text")] = text->Text;
        } else {
            json[QStringLiteral("kind")] = QStringLiteral("line");
            putBox(json, *shape);
        }
        shapes.append(json);
    }
    return {{QStringLiteral("type"), cover.CoverType}, {QStringLiteral("shapes"), shapes}};
}

void CoverFromJson(const QJsonObject& json, ZKCover& cover, const QString& source)
{
    const Fields top(json, source);
    const int type = int(top.number("type", 0, 255));
    const QJsonValue shapes = json.value(QStringLiteral("shapes"));
    if (!shapes.isArray() && !shapes.isUndefined())
        top.fail(QStringLiteral("\"shapes\" must be a list"));
    ZKCover read;
    const QJsonArray list = shapes.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject shape = list[i].toObject();
        const Fields f(shape, QStringLiteral("%1: shape %2").arg(source).arg(i + 1));
        const QString kind = f.text("kind");
        if (kind == QLatin1String("line")) {
            takeBox(f, read.AddShape<ZKLine>());
        } else if (kind == QLatin1String("text")) {
            ZKText& text = read.AddShape<ZKText>();
            takeBox(f, text);
            text.FontName = f.text("font", text.FontName);
            text.FontSize = std::int16_t(f.number("size", 1, 1000, double(text.FontSize)));
            text.Angle = float(f.number("angle", -360, 360, 0.0));
            text.Alignment = std::uint8_t(f.number("alignment", 0, 255, 0.0));
            text.Text = f.text("text");
        } else {
            f.fail(QStringLiteral("\"kind\" must be \"line\" or \"text\""));
        }
    }
    cover.CoverType = type;
    cover.TakeShapes(read);
}

} // namespace reelkeep
