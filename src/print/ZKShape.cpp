#include "ZKShape.h"

#include "CodePage.h"
#include "CoverStream.h"
#include "PenStyles.h"
#include "TextFitting.h"
#include "ZKCover.h"

#include <QPainter>

namespace reelkeep {

ZKShape::ZKShape(ZKCover* owner) : PrintOptions(&owner->PrintOptions), Owner(owner) {}

void ZKLine::Draw(QPainter& canvas) const
{
    canvas.setPen(MakePen(PenStyle, Nearest(PenWidth), PenColor));
    const TzkPrintOptions& o = *PrintOptions;
    canvas.drawLine(o.MapX(X), o.MapY(Y), o.MapX(double(X) + Width), o.MapY(double(Y) + Height));
}

void ZKLine::LoadFromStream(CoverReader& in)
{
    in.ReadInt32(); // the record length is not needed to read the record
    X = in.ReadDecimal();
    Y = in.ReadDecimal();
    Width = in.ReadDecimal();
    Height = in.ReadDecimal();
}

void ZKLine::SaveToStream(CoverWriter& out) const
{
    out.WriteByte(Tag);
    out.WriteInt32(12);
    out.WriteDecimal(X);
    out.WriteDecimal(Y);
    out.WriteDecimal(Width);
    out.WriteDecimal(Height);
}

ZKText::ZKText(ZKCover* owner) : ZKShape(owner), FontName(QStringLiteral("Arial")) {}

void ZKText::Draw(QPainter& canvas) const
{
    if (Alignment > taCentred)
        return;
    const TzkPrintOptions& o = *PrintOptions;
    canvas.setFont(PixelFont(FontName, Nearest(FontSize * double(o.FontScale))));
    canvas.setPen(Qt::black);
    const QFontMetrics metrics = canvas.fontMetrics();
    const int boxWidth = Nearest(Width * double(o.ScaleX));
    const int boxHeight = Nearest(Height * double(o.ScaleY));
    const QString text = FitText(OneLine(Text), boxWidth, metrics);

    int left = o.MapX(X);
    int top = o.MapY(Y);
    if (Alignment == taLeftCentred || Alignment == taCentred)
        top += (boxHeight - TextHeight(metrics)) / 2;
    if (Alignment == taTopCentred || Alignment == taCentred)
        left += (boxWidth - metrics.horizontalAdvance(text)) / 2;

    canvas.save();
    canvas.translate(left, top);
    // Turned in whole tenths of a degree, counter-clockwise on the page.
    canvas.rotate(-Nearest(double(Angle) * 10) / 10.0);
    canvas.drawText(0, metrics.ascent(), text);
    canvas.restore();
}

void ZKText::LoadFromStream(CoverReader& in)
{
    in.ReadInt32(); // the record length is not needed to read the record
    X = in.ReadDecimal();
    Y = in.ReadDecimal();
    Width = in.ReadDecimal();
    Height = in.ReadDecimal();
    FontSize = in.ReadInt16();
    FontName = in.ReadString();
    Angle = in.ReadDecimal();
    Text = in.ReadString();
    Alignment = in.ReadByte();
}

void ZKText::SaveToStream(CoverWriter& out) const
{
    const CodePage& codePage = CodePage::Default();
    out.WriteByte(Tag);
    out.WriteInt32(static_cast<std::int32_t>(codePage.encode(FontName).size() + codePage.encode(Text).size() + 39));
    out.WriteDecimal(X);
    out.WriteDecimal(Y);
    out.WriteDecimal(Width);
    out.WriteDecimal(Height);
    out.WriteInt16(FontSize);
    out.WriteString(FontName);
    out.WriteDecimal(Angle);
    out.WriteString(Text);
    out.WriteByte(Alignment);
}

} // namespace reelkeep
