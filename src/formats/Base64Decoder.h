// Decodes base64 text that arrives in pieces, straight into the bytes it stands for,
// so that an image stored as text is never held twice. ASCII white space anywhere
// is passed over; padding is optional, but nothing but padding and white space may
// follow it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <utility>

namespace reelkeep {

class Base64Decoder {
public:
    // Starts a new text; expectedLength, when known, sizes the result at once.
    void Reset(qsizetype expectedLength = 0);
    // Takes the next piece of text; false at a character base64 does not use.
    bool Feed(QByteArrayView text);
    // The bytes of the whole text; false when it ends in the middle of a byte.
    bool Finish();
    qsizetype DecodedSize() const { return m_out.size(); }
    QByteArray Take() { return std::exchange(m_out, QByteArray()); }

private:
    QByteArray m_out;
    quint32 m_bits = 0; // the sextets of the unfinished group
    int m_sextets = 0;  // how many there are (0..3)
    int m_padding = 0;  // '=' seen: the text has ended
};

} // namespace reelkeep
