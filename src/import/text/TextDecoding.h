#pragma once

#include <QByteArrayView>
#include <QString>

namespace quillmere {

// How a text file's bytes stand for characters.
enum class TextEncoding { Utf8, Windows1252, Utf16LittleEndian, Utf16BigEndian };

// Decodes the bytes of a whole text file:
// - FF FE starts UTF-16 little-endian, FE FF UTF-16 big-endian (an odd last byte is dropped, a surrogate
//   without its partner becomes U+FFFD);
// - EF BB BF starts UTF-8;
// - without a mark, valid UTF-8 is UTF-8 and anything else is Windows-1252.
// The byte-order mark itself never reaches the text.
QString decodeText(QByteArrayView bytes);

// The encoding a byte-order mark at the start of head names, and the mark's length; Utf8 and 0 without a mark.
struct MarkedEncoding {
    TextEncoding encoding = TextEncoding::Utf8;
    qsizetype markLength = 0;
};
MarkedEncoding byteOrderMark(QByteArrayView head);

// Decodes bytes that follow any byte-order mark, as decodeText() does for that encoding.
QString decodeAs(TextEncoding encoding, QByteArrayView bytes);

// Whether the bytes are UTF-8 throughout, a character cut off at their end counting as broken.
bool isUtf8(QByteArrayView bytes);

// Where bytes taken from a longer text can be cut so that decodeAs() of the part before and of the part after,
// joined, gives what decodeAs() of both together gives. Never 0 while the bytes hold a whole character.
qsizetype pieceEnd(TextEncoding encoding, QByteArrayView bytes);

// UTF-8 bytes from anywhere in a text: a U+FEFF they start with is a character of the text, which
// QString::fromUtf8() would drop.
QString decodeUtf8(QByteArrayView bytes);

// One character per byte in Windows-1252; the five unassigned bytes map to the C1 controls of the same value.
QString decodeWindows1252(QByteArrayView bytes);

} // namespace quillmere
