#include "PrintTestSupport.h"
#include "TextFitting.h"
#include "ZKCover.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

// A white page at the given resolution; 254 dpi makes 10 pixels per millimetre.
QImage page(int dpi = 254, int widthMm = 300, int heightMm = 280)
{
    QImage image(widthMm * dpi * 10 / 254, heightMm * dpi * 10 / 254, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

// Solid pens and a 5-pixel offset so strokes at 0 mm stay on the page.
void solidPens(ZKCover& cover, float widthMm)
{
    cover.CutLineStyle = cover.FoldLineStyle = 0;
    cover.CutLineWidth = cover.FoldLineWidth = widthMm;
    cover.PrintOptions.OffsetX = cover.PrintOptions.OffsetY = 50;
}

QImage draw(ZKCover& cover, int dpi = 254, int widthMm = 300, int heightMm = 280)
{
    QImage image = page(dpi, widthMm, heightMm);
    QPainter painter(&image);
    cover.Draw(painter);
    return image;
}

} // namespace

TEST(CoverDraw, OutlinesLieAtTheirMillimetrePositions)
{
    ZKCover square;
    square.CoverType = 3;
    solidPens(square, 0.5f);
    QImage image = draw(square);
    // 120 x 120 mm from (50, 50): strokes 5 pixels wide (0.5 mm at 10 px/mm).
    EXPECT_NEAR(StrokeWidthAcross(image, 50, 650), 5, 1);
    EXPECT_NEAR(StrokeWidthAcross(image, 1250, 650), 5, 1);
    EXPECT_NEAR(StrokeWidthDown(image, 650, 1250), 5, 1);
    EXPECT_TRUE(Dark(image, 1250, 100) && Dark(image, 650, 50));
    EXPECT_TRUE(InkBox(image, QRect(60, 60, 1180, 1180)).isNull());
    EXPECT_TRUE(InkBox(image, QRect(1260, 0, 1000, 2000)).isNull());

    ZKCover envelope;
    solidPens(envelope, 0.1f);
    image = draw(envelope);
    EXPECT_TRUE(Dark(image, 800, 50));   // cut (21,0)-(136,0)
    EXPECT_TRUE(Dark(image, 800, 230));  // fold rectangle top at 18 mm
    EXPECT_TRUE(Dark(image, 200, 800));  // fold rectangle left at 15 mm
    EXPECT_TRUE(Dark(image, 50, 800));   // cut (0,24)-(0,136)
    EXPECT_TRUE(Dark(image, 1620, 800)); // cut (157,24)-(157,136)
    EXPECT_TRUE(Dark(image, 1200, 2690)); // flap bottom at 264 mm
    EXPECT_FALSE(Dark(image, 1800, 800));
    EXPECT_FALSE(Dark(image, 920, 2690)); // the notch between 62 and 96 mm rises to 252 mm

    // Halves go to the even pixel: 35.25 mm -> 402.5 -> 402, 38.75 mm -> 437.5 -> 438.
    ZKCover slim;
    slim.CoverType = 1;
    solidPens(slim, 0.1f);
    image = draw(slim);
    EXPECT_TRUE(Dark(image, 402, 600));
    EXPECT_FALSE(Dark(image, 403, 600));
    EXPECT_TRUE(Dark(image, 438, 600));
    EXPECT_FALSE(Dark(image, 437, 600));

    ZKCover none;
    none.CoverType = 11;
    EXPECT_TRUE(Blank(draw(none)));
}

TEST(CoverDraw, PenStylesAndWidths)
{
    ZKCover sleeve;
    sleeve.CoverType = 4; // 240 x 120 with a fold at 120 mm
    solidPens(sleeve, 0.1f);
    sleeve.FoldLineStyle = 1; // dash
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
    image = draw(sleeve);
    EXPECT_TRUE(InkBox(image, QRect(1200, 100, 100, 1100)).isNull());

    // A width too thin for one pixel still draws one.
    sleeve.CutLineWidth = 0.01f;
    image = draw(sleeve);
    EXPECT_EQ(StrokeWidthAcross(image, 2450, 600), 1);
}

TEST(CoverDraw, LoadedLinesAreOnePixelWideAtAnyResolution)
{
    ZKCover source;
    ZKLine& line = source.AddShape<ZKLine>();
    line.X = 10;
    line.Y = 20;
    line.Width = 0;
    line.Height = 50;
    line.PenWidth = 4;
    ZKCover cover;
    cover.ReadFromBytes(source.SaveToBytes(), QStringLiteral("line.cvr"));
    cover.CoverType = 11;
    cover.PrintOptions.OffsetX = cover.PrintOptions.OffsetY = 0;
    const QImage image = draw(cover, 600, 20, 80);
    const int x = qRound(10 * 600 / 25.4);
    EXPECT_EQ(StrokeWidthAcross(image, x, qRound(40 * 600 / 25.4)), 1);
    EXPECT_TRUE(Dark(image, x, qRound(40 * 600 / 25.4)));
}

TEST(CoverDraw, TextBoxesPlaceTextByAlignment)
{
    auto render = [](std::uint8_t alignment, float angle = 0) {
        ZKCover cover;
        cover.CoverType = 11;
        cover.PrintOptions.OffsetX = cover.PrintOptions.OffsetY = 50;
        ZKText& text = cover.AddShape<ZKText>();
        text.X = 20;
        text.Y = 20;
        text.Width = 80;
        text.Height = 30;
        text.FontSize = 20;
        text.Text = QStringLiteral("HHHH");
        text.Alignment = alignment;
        text.Angle = angle;
        QImage image = draw(cover, 254, 130, 60);
        return InkBox(image, image.rect());
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
    QFont font = PixelFont(QStringLiteral("Arial"), 30);
    const QFontMetrics metrics(font);
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
    cover.CoverType = 11;
    cover.PrintOptions.OffsetX = cover.PrintOptions.OffsetY = 0;
    ZKText& text = cover.AddShape<ZKText>();
    text.X = 10;
    text.Y = 10;
    text.Width = 20;
    text.Height = 10;
    text.Text = title;
    const QImage image = draw(cover, 254, 60, 30);
    const QRect ink = InkBox(image, image.rect());
    EXPECT_GE(ink.left(), 100);
    EXPECT_LE(ink.right(), 300);
    EXPECT_GT(ink.right(), 250);
}
