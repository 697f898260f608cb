#include "PrintTestSupport.h"
#include "TextFitting.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

// Draws on a white page; 254 dpi makes 10 pixels per millimetre.
QImage draw(ZKCover& cover, int dpi = 254, int widthMm = 300, int heightMm = 280)
{
    QImage image(widthMm * dpi * 10 / 254, heightMm * dpi * 10 / 254, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    QPainter painter(&image);
    cover.Draw(painter);
    return image;
}

// An outline with solid pens and a 5 mm offset, so strokes at 0 mm stay on the page.
void outline(ZKCover& cover, int type, float penMm = 0.1f)
{
    cover.CoverType = type;
    cover.CutLineStyle = cover.FoldLineStyle = 0;
    cover.CutLineWidth = cover.FoldLineWidth = penMm;
    cover.PrintOptions.OffsetX = cover.PrintOptions.OffsetY = 50;
}

} // namespace

TEST(CoverDraw, OutlinePointsRoundHalvesToEvenPixelsAndUnknownTypesDrawNothing)
{
    // 35.25 mm -> 402.5 -> 402, 38.75 mm -> 437.5 -> 438.
    ZKCover slim;
    outline(slim, 1);
    const QImage image = draw(slim);
    EXPECT_TRUE(Dark(image, 402, 600) && Dark(image, 438, 600));
    EXPECT_FALSE(Dark(image, 403, 600) || Dark(image, 437, 600));

    ZKCover none;
    outline(none, 11);
    EXPECT_TRUE(InkBox(draw(none)).isNull());
}

TEST(CoverDraw, PenStylesAndWidths)
{
    ZKCover sleeve;
    outline(sleeve, 4); // 240 x 120 with a fold at 120 mm
    sleeve.FoldLineStyle = 1;    // dash
    QImage image = draw(sleeve);
    int foldInk = 0, cutInk = 0;
    for (int y = 100; y < 1200; ++y) {
        foldInk += Dark(image, 1250, y) ? 1 : 0;
        cutInk += Dark(image, 2450, y) ? 1 : 0;
    }
    EXPECT_EQ(cutInk, 1100);
    EXPECT_GT(foldInk, 300);
    EXPECT_LT(foldInk, 1000);

    sleeve.FoldLineStyle = 5; // clear
    sleeve.CutLineWidth = 0.01f; // too thin for one pixel still draws one
    image = draw(sleeve);
    EXPECT_TRUE(InkBox(image, QRect(1200, 100, 100, 1100)).isNull());
    EXPECT_EQ(StrokeWidth(image, 2450, 600), 1);

    // Lines read from a file are one pixel wide whatever their stored pen and the resolution.
    ZKCover source;
    ZKLine& line = source.AddShape<ZKLine>();
    line.X = 10;
    line.Y = 20;
    line.Height = 50;
    line.PenWidth = 4;
    ZKCover loaded;
    loaded.ReadFromBytes(source.SaveToBytes(), QStringLiteral("line.cvr"));
    loaded.CoverType = 11;
    loaded.PrintOptions.OffsetX = loaded.PrintOptions.OffsetY = 0;
    image = draw(loaded, 600, 20, 80);
    EXPECT_EQ(StrokeWidth(image, qRound(10 * 600 / 25.4), qRound(40 * 600 / 25.4)), 1);
}

TEST(CoverDraw, TextBoxesPlaceTextByAlignment)
{
    auto render = [](std::uint8_t alignment, float angle = 0) {
        ZKCover cover;
        outline(cover, 11);
        ZKText& text = AddText(cover, 20, 20, 80, 30, QStringLiteral("HHHH"));
        text.FontSize = 20;
        text.Alignment = alignment;
        text.Angle = angle;
        return InkBox(draw(cover, 254, 130, 60));
    };
    const QRect topLeft = render(taTopLeft);
    EXPECT_NEAR(topLeft.left(), 250, 10);
    EXPECT_NEAR(topLeft.top(), 250, 25);
    EXPECT_GT(topLeft.width(), 100);

    const QRect topCentred = render(taTopCentred);
    EXPECT_NEAR(topCentred.center().x(), 650, 5);
    EXPECT_EQ(topCentred.top(), topLeft.top());

    const QRect leftCentred = render(taLeftCentred);
    EXPECT_EQ(leftCentred.left(), topLeft.left());
    EXPECT_NEAR(leftCentred.center().y(), 400, 12);

    const QRect centred = render(taCentred);
    EXPECT_NEAR(centred.center().x(), 650, 5);
    EXPECT_EQ(centred.top(), leftCentred.top());

    EXPECT_TRUE(render(4).isNull());

    // Turned by 90 degrees the text runs upwards from its corner.
    const QRect turned = render(taTopLeft, 90);
    EXPECT_GT(turned.height(), turned.width());
    EXPECT_LE(turned.bottom(), 255);
}

TEST(CoverDraw, LongTextsEndInDotsWithinTheirBox)
{
    const QFontMetrics metrics(PixelFont(QStringLiteral("Arial"), 30));
    const QString title = QStringLiteral("A very long title of a film that never ends");
    const QString fitted = FitText(title, 200, metrics);
    ASSERT_TRUE(fitted.endsWith(QStringLiteral("...")));
    const QString prefix = fitted.chopped(3);
    EXPECT_TRUE(title.startsWith(prefix));
    EXPECT_LE(metrics.horizontalAdvance(fitted), 200);
    // The longest prefix that fits: one character more does not.
    EXPECT_GT(metrics.horizontalAdvance(title.left(prefix.size() + 1) + QStringLiteral("...")), 200);
    EXPECT_EQ(FitText(title, 1, metrics), QStringLiteral("..."));
    EXPECT_EQ(FitText(QStringLiteral("Short"), 200, metrics), QStringLiteral("Short"));

    // On the page: a 20 mm box keeps the text inside its 200 pixels.
    ZKCover cover;
    outline(cover, 11);
    cover.PrintOptions.OffsetX = cover.PrintOptions.OffsetY = 0;
    AddText(cover, 10, 10, 20, 10, title);
    const QRect ink = InkBox(draw(cover, 254, 60, 30));
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.right(), 300);
    EXPECT_GT(ink.right(), 250);
}

TEST(CoverDraw, ATextExactlyAsWideAsItsBoxIsKeptWhole)
{
    const QFontMetrics metrics(PixelFont(QStringLiteral("Arial"), 30));
    const QString title = QStringLiteral("Seven Samurai");
    const int width = metrics.horizontalAdvance(title);
    EXPECT_EQ(FitText(title, width, metrics), title);
    EXPECT_TRUE(FitText(title, width - 1, metrics).endsWith(QStringLiteral("...")));
}
