// The base64 decoder against Qt's encoder: every length of data, the text cut into
// pieces anywhere and wrapped into lines, gives back the bytes exactly.
#include "Base64Decoder.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>

using namespace reelkeep;

namespace {

QByteArray decodedInPieces(const QByteArray& text, qsizetype piece)
{
    Base64Decoder decoder;
    decoder.Reset(text.size());
    for (qsizetype at = 0; at < text.size(); at += piece)
        if (!decoder.Feed(QByteArrayView(text).sliced(at, std::min(piece, text.size() - at))))
            return "refused";
    return decoder.Finish() ? decoder.Take() : QByteArray("unfinished");
}

TEST(Base64Decoder, GivesBackEveryLengthWhateverThePiecesAndLineBreaks)
{
    std::mt19937 random(7);
    for (const qsizetype length : {0, 1, 2, 3, 5, 6, 7, 8, 11, 12, 13, 47, 48, 49, 1000, 65537}) {
        QByteArray data(length, Qt::Uninitialized);
        for (char& byte : data)
            byte = char(random());
        const QByteArray text = data.toBase64();
        QByteArray wrapped;
        for (qsizetype at = 0; at < text.size(); at += 76) {
            wrapped += text.mid(at, 76);
            wrapped += "\r\n";
        }
        for (const qsizetype piece : {qsizetype(1), qsizetype(5), qsizetype(9), qsizetype(4096), text.size() + 1}) {
            EXPECT_EQ(decodedInPieces(text, std::max<qsizetype>(piece, 1)), data) << length << " in pieces of " << piece;
            EXPECT_EQ(decodedInPieces(wrapped, std::max<qsizetype>(piece, 1)), data) << length << " wrapped, pieces of " << piece;
        }
        // Without padding too, as other writers leave it off.
        EXPECT_EQ(decodedInPieces(data.toBase64(QByteArray::OmitTrailingEquals), 1 << 20), data) << length;
    }
    // A character outside the alphabet deep inside a long run of letters is still seen.
    QByteArray text = QByteArray(4000, 'x').toBase64();
    text[2001] = '*';
    EXPECT_EQ(decodedInPieces(text, 1 << 20), QByteArray("refused"));
}

// Every byte in every place of a long run of letters: the decoder fed the whole run
// at once (which takes letters many at a time) refuses or decodes exactly as when fed
// one character at a time.
TEST(Base64Decoder, EveryByteAnywhereInALongRunIsTakenAsOneAtATime)
{
    const QByteArray letters = QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/").repeated(2);
    for (int place = 0; place < 64; ++place) {
        for (int byte = 0; byte < 256; ++byte) {
            QByteArray text = letters;
            text[place] = char(byte);
            ASSERT_EQ(decodedInPieces(text, text.size()), decodedInPieces(text, 1)) << "byte " << byte << " at " << place;
        }
    }
    EXPECT_EQ(decodedInPieces(letters, letters.size()), QByteArray::fromBase64(letters));
}

} // namespace
