#include "ZKCover.h"

#include "CodePage.h"
#include "CoverStream.h"
#include "FileIO.h"
#include "PenStyles.h"
#include "ReelkeepError.h"
#include "TextUtils.h"

#include <QFileInfo>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>

namespace reelkeep {

namespace {

using Stroke = std::vector<QPointF>;

struct Outline {
    std::vector<Stroke> cut;
    std::vector<Stroke> fold;
    bool foldFirst = false;
};

Stroke rectangle(double w, double h)
{
    return {{0, 0}, {w, 0}, {w, h}, {0, h}, {0, 0}};
}

Stroke vertical(double x, double h)
{
    return {{x, 0}, {x, h}};
}

// The eleven outline templates, in millimetres.
const std::array<Outline, ZKCover::kCoverTypeCount>& outlines()
{
    static const std::array<Outline, ZKCover::kCoverTypeCount> table = {{
        {{{{21, 0}, {136, 0}, {142, 18}, {157, 24}, {157, 136}, {142, 142}},
          {{141, 142}, {141, 264}, {96, 264}, {88, 252}, {69, 252}, {62, 264}, {16, 264}, {16, 142}},
          {{15, 142}, {0, 136}, {0, 24}, {15, 18}, {21, 0}}},
         {{{15, 18}, {142, 18}, {142, 142}, {15, 142}, {15, 18}}},
         true},
        {{{{0, 0}, {0, 121}, {21, 121}, {21, 119}, {53, 119}, {53, 121}, {175, 121}, {175, 0}, {53, 0}, {53, 2}, {21, 2}, {21, 0}, {0, 0}}},
         {{{35.25, 2}, {35.25, 119}}, {{38.75, 2}, {38.75, 119}}},
         true},
        {{rectangle(272, 182)}, {vertical(129, 182), vertical(141, 182)}},
        {{rectangle(120, 120)}, {}},
        {{rectangle(240, 120)}, {vertical(120, 120)}},
        {{rectangle(269, 182)}, {vertical(130, 182), vertical(139, 182)}},
        {{rectangle(150, 120)}, {vertical(6, 120), vertical(144, 120)}},
        {{rectangle(297, 182)}, {vertical(130, 182), vertical(167, 182)}},
        {{rectangle(280, 120)}, {vertical(136.5, 120), vertical(143.5, 120)}},
        {{rectangle(264, 120)}, {vertical(129.5, 120), vertical(134.5, 120)}},
        {{rectangle(125, 120)}, {}},
    }};
    return table;
}

const QByteArray kSignature = QByteArrayLiteral("cvr10");
constexpr std::uint8_t kEndTag = 255;

} // namespace

ZKCover::ZKCover()
{
    PrintOptions.Zoom = 1.0f;
    PrintOptions.ScaleX = static_cast<float>(ScreenDpiX() / 25.4);
    PrintOptions.ScaleY = static_cast<float>(ScreenDpiY() / 25.4);
}

void ZKCover::Clear()
{
    Shapes.clear();
    CoverType = 0;
}

void ZKCover::TakeShapes(ZKCover& other)
{
    for (auto& shape : other.Shapes) {
        shape->Owner = this;
        shape->PrintOptions = &PrintOptions;
        Shapes.push_back(std::move(shape));
    }
    other.Shapes.clear();
}

void ZKCover::LoadFromFile(const QString& fileName)
{
    if (!QFileInfo::exists(fileName))
        return;
    try {
        ReadFromFile(fileName);
    } catch (const ReelkeepError&) {
        Clear();
    }
}

void ZKCover::ReadFromFile(const QString& fileName)
{
    ReadFromBytes(ReadWholeFile(fileName), fileName);
}

void ZKCover::ReadFromBytes(const QByteArray& bytes, const QString& fileName)
{
    if (CodePage::Default().lowerBytes(bytes.left(kSignature.size())) != kSignature)
        throw FormatError(Message("NotCoverFile").arg(fileName));
    CoverReader in(bytes.mid(kSignature.size()), fileName);
    const int type = in.ReadByte();
    // Shapes are collected apart first, so a damaged file adds none of them.
    ZKCover read;
    while (!in.AtEnd()) {
        const std::uint8_t tag = in.ReadByte();
        if (tag == kEndTag)
            break;
        if (tag == ZKLine::Tag)
            read.AddShape<ZKLine>().LoadFromStream(in);
        else if (tag == ZKText::Tag)
            read.AddShape<ZKText>().LoadFromStream(in);
    }
    CoverType = type;
    TakeShapes(read);
}

QByteArray ZKCover::SaveToBytes() const
{
    CoverWriter out;
    out.WriteBytes(kSignature);
    out.WriteByte(static_cast<std::uint8_t>(CoverType));
    for (const auto& shape : Shapes)
        shape->SaveToStream(out);
    out.WriteByte(kEndTag);
    return out.Bytes();
}

void ZKCover::SaveToFile(const QString& fileName) const
{
    WriteFileAtomically(fileName, SaveToBytes());
}

void ZKCover::Draw(QPainter& canvas, double dpiX, double dpiY)
{
    PrintOptions.ScaleX = static_cast<float>(dpiX / 25.4 * PrintOptions.Zoom);
    PrintOptions.ScaleY = static_cast<float>(dpiY / 25.4 * PrintOptions.Zoom);
    PrintOptions.FontScale = static_cast<float>(dpiY / ScreenDpiY() * PrintOptions.Zoom);
    drawOutline(canvas);
    for (const auto& shape : Shapes)
        shape->Draw(canvas);
}

void ZKCover::Draw(QPainter& canvas)
{
    Draw(canvas, canvas.device()->logicalDpiX(), canvas.device()->logicalDpiY());
}

void ZKCover::drawOutline(QPainter& canvas) const
{
    if (CoverType < 0 || CoverType >= kCoverTypeCount)
        return;
    const Outline& outline = outlines()[static_cast<size_t>(CoverType)];
    const TzkPrintOptions& o = PrintOptions;
    auto drawStrokes = [&](const std::vector<Stroke>& strokes, int style, float width, const QColor& colour) {
        canvas.setPen(MakePen(style, Nearest(width * double(o.ScaleX)), colour));
        for (const Stroke& stroke : strokes) {
            QPolygon points;
            for (const QPointF& p : stroke)
                points << QPoint(o.MapX(p.x()), o.MapY(p.y()));
            canvas.drawPolyline(points);
        }
    };
    auto drawCut = [&] { drawStrokes(outline.cut, CutLineStyle, CutLineWidth, CutLineColor); };
    auto drawFold = [&] { drawStrokes(outline.fold, FoldLineStyle, FoldLineWidth, FoldLineColor); };
    if (outline.foldFirst) {
        drawFold();
        drawCut();
    } else {
        drawCut();
        drawFold();
    }
}

QRectF ZKCover::ExtentMm() const
{
    std::vector<QPointF> corners;
    if (CoverType >= 0 && CoverType < kCoverTypeCount) {
        const Outline& outline = outlines()[static_cast<size_t>(CoverType)];
        for (const auto* strokes : {&outline.cut, &outline.fold})
            for (const Stroke& stroke : *strokes)
                corners.insert(corners.end(), stroke.begin(), stroke.end());
    }
    for (const auto& shape : Shapes) {
        corners.emplace_back(shape->X, shape->Y);
        corners.emplace_back(double(shape->X) + shape->Width, double(shape->Y) + shape->Height);
    }
    if (corners.empty())
        return {};
    QPointF low = corners.front(), high = corners.front();
    for (const QPointF& p : corners) {
        low = {std::min(low.x(), p.x()), std::min(low.y(), p.y())};
        high = {std::max(high.x(), p.x()), std::max(high.y(), p.y())};
    }
    return {low, high};
}

void ZKCover::ReplaceText(const QString& placeholder, const QString& value)
{
    for (const auto& shape : Shapes)
        if (auto* text = dynamic_cast<ZKText*>(shape.get()))
            text->Text = ReplaceAll(text->Text, placeholder, value, false);
}

} // namespace reelkeep
