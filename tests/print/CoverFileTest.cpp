#include "CoverStream.h"
#include "PrintTestSupport.h"
#include "ReelkeepError.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

std::int32_t int32At(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<std::int32_t>(bytes.constData() + at);
}

// A layout with one shape of each kind, a Cyrillic text and fractional positions.
void fillSample(ZKCover& cover)
{
    cover.CoverType = 3;
    ZKLine& line = cover.AddShape<ZKLine>();
    line.X = 10.5f;
    line.Y = 0.75f;
    line.Width = 100;
    line.Height = -2.25f;
    ZKText& text = AddText(cover, 12.3f, 40, 90, 8.5f, QStringLiteral("%Name% — Зима (%Year%)"));
    text.FontSize = 14;
    text.FontName = QStringLiteral("Arial");
    text.Angle = 90;
    text.Alignment = taCentred;
}

QByteArray sampleBytes()
{
    ZKCover cover;
    fillSample(cover);
    return cover.SaveToBytes();
}

} // namespace

TEST(CoverFile, StoredDecimalsUseTheSmallestPowerOfTen)
{
    const struct {
        float value;
        std::int32_t numerator, denominator;
    } cases[] = {{0.75f, 75, 100}, {2.0f, 2, 1}, {-12.3f, -123, 10}, {0.0f, 0, 1}, {3e12f, std::numeric_limits<std::int32_t>::max(), 1}};
    for (const auto& c : cases) {
        const StoredDecimal d = ToStoredDecimal(c.value);
        EXPECT_EQ(std::make_pair(d.numerator, d.denominator), std::make_pair(c.numerator, c.denominator)) << c.value;
    }
    // Values that never become whole stop before the numerator overflows.
    const StoredDecimal third = ToStoredDecimal(1.0f / 3.0f);
    EXPECT_NEAR(double(third.numerator) / third.denominator, 1.0 / 3.0, 1e-6);
}

TEST(CoverFile, WritesTheRecordsAndReadsThemBackByteIdentical)
{
    const QByteArray bytes = sampleBytes();
    ASSERT_TRUE(bytes.startsWith("cvr10\x03"));
    // Line record: tag 1, length 12, four decimals.
    EXPECT_EQ(bytes[6], '\x01');
    EXPECT_EQ(int32At(bytes, 7), 12);
    EXPECT_EQ(int32At(bytes, 11), 105); // X = 10.5 as 105/10
    EXPECT_EQ(int32At(bytes, 15), 10);
    // Text record: tag 2, length = name + text bytes + 39 (the text is 8-bit).
    const qsizetype text = 6 + 1 + 4 + 32;
    EXPECT_EQ(bytes[text], '\x02');
    const int textBytes = int(QStringLiteral("%Name% — Зима (%Year%)").size());
    EXPECT_EQ(int32At(bytes, text + 1), 5 + textBytes + 39);
    EXPECT_EQ(bytes.back(), '\xff');
    EXPECT_TRUE(bytes.contains("\xc7\xe8\xec\xe0")); // "Зима" in windows-1251

    ZKCover read;
    read.ReadFromBytes(bytes, QStringLiteral("sample.cvr"));
    ASSERT_EQ(read.ShapeCount(), 2);
    EXPECT_EQ(read.CoverType, 3);
    const auto& t = dynamic_cast<const ZKText&>(*read.Shapes[1]);
    EXPECT_EQ(t.Text, QStringLiteral("%Name% — Зима (%Year%)"));
    EXPECT_EQ(t.FontSize, 14);
    EXPECT_FLOAT_EQ(t.X, 12.3f);
    EXPECT_EQ(t.Alignment, taCentred);
    EXPECT_EQ(read.SaveToBytes(), bytes);
}

TEST(CoverFile, SignatureTagsAndEndOfList)
{
    // The signature in any case; an unknown tag skipped by itself (the next byte is read as a tag);
    // without the end tag the list ends with the file; after it nothing is read.
    const QByteArray bytes = sampleBytes();
    for (const QByteArray& variant : QByteArrayList{QByteArray("CVR10") + bytes.mid(5), bytes.left(6) + '\x03' + bytes.mid(6),
                                                    bytes.chopped(1), bytes + "\x01garbage"}) {
        ZKCover cover;
        cover.ReadFromBytes(variant, QStringLiteral("variant.cvr"));
        EXPECT_EQ(cover.ShapeCount(), 2) << variant.toHex().toStdString();
    }

    ZKCover wrong;
    EXPECT_THROW(wrong.ReadFromBytes("cvr11\x03\xff", QStringLiteral("wrong.cvr")), FormatError);
}

TEST(CoverFile, MissingWrongOrDamagedFilesLeaveAnEmptyCover)
{
    QTemporaryDir dir;
    auto load = [&](const QByteArray& bytes) {
        const QString file = dir.filePath(QStringLiteral("c.cvr"));
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size());
        out.close();
        ZKCover cover;
        cover.CoverType = 7;
        cover.LoadFromFile(file);
        return std::make_pair(cover.CoverType, cover.ShapeCount());
    };
    ZKCover missing;
    missing.LoadFromFile(dir.filePath(QStringLiteral("none.cvr")));
    EXPECT_EQ(std::make_pair(missing.CoverType, missing.ShapeCount()), std::make_pair(0, 0));
    EXPECT_EQ(load("notacover"), std::make_pair(0, 0));
    // Every truncation of a valid file reads whole shapes only, or leaves the cover empty.
    const QByteArray bytes = sampleBytes();
    const qsizetype lineEnd = 6 + 37;
    for (qsizetype n = 0; n <= bytes.size(); ++n) {
        const auto expected = n == 6 ? std::make_pair(3, 0)
                              : n == lineEnd ? std::make_pair(3, 1)
                              : n >= bytes.size() - 1 ? std::make_pair(3, 2)
                                                     : std::make_pair(0, 0);
        EXPECT_EQ(load(bytes.left(n)), expected) << n;
    }
    // A text length far beyond the file or below zero, and a zero denominator.
    for (const std::int32_t length : {std::numeric_limits<std::int32_t>::max(), -1, std::numeric_limits<std::int32_t>::min()}) {
        QByteArray badLength = bytes;
        qToLittleEndian<std::int32_t>(length, badLength.data() + lineEnd + 1 + 4 + 32 + 2);
        EXPECT_EQ(load(badLength), std::make_pair(0, 0)) << length;
    }
    QByteArray zero = bytes;
    qToLittleEndian<std::int32_t>(0, zero.data() + 6 + 1 + 4 + 4);
    EXPECT_EQ(load(zero), std::make_pair(0, 0));
    ZKCover strict;
    EXPECT_THROW(strict.ReadFromBytes(zero, QStringLiteral("zero.cvr")), FormatError);
}

TEST(CoverFile, RandomlyDamagedFilesReadOrFailCleanlyAndDraw)
{
    const QByteArray sample = sampleBytes();
    QRandomGenerator random(20261206);
    QImage page(100, 100, QImage::Format_RGB32);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = sample;
        for (int flips = 1 + int(random.bounded(4)); flips > 0; --flips)
            bytes[qsizetype(random.bounded(int(bytes.size())))] = char(random.bounded(256));
        ZKCover cover;
        try {
            cover.ReadFromBytes(bytes, QStringLiteral("damaged.cvr"));
        } catch (const FormatError&) {
            EXPECT_EQ(cover.ShapeCount(), 0);
            continue;
        }
        QPainter painter(&page);
        cover.Draw(painter);
        painter.end();
        const QByteArray saved = cover.SaveToBytes();
        ZKCover again;
        again.ReadFromBytes(saved, QStringLiteral("saved.cvr"));
        EXPECT_EQ(again.SaveToBytes(), saved);
    }
}
