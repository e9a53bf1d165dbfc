#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace quillmere {

// How a text file's bytes stand for characters.
enum class TextEncoding { Utf8, Windows1252, Utf16LittleEndian, Utf16BigEndian };

// The encoding a byte-order mark at the start of head names, and the mark's length; Utf8 and 0 without a mark.
struct MarkedEncoding {
    TextEncoding encoding = TextEncoding::Utf8;
    qsizetype markLength = 0;
};
MarkedEncoding byteOrderMark(QByteArrayView head);

// Decodes the bytes of one text, given in pieces cut anywhere, into what decoding them whole gives. Broken UTF-8
// becomes U+FFFD, also a character that the text's end cuts off; an odd last byte of UTF-16 is dropped, and a
// surrogate without its partner becomes U+FFFD; in Windows-1252 the five unassigned bytes are the C1 controls of the
// same value. A U+FEFF is a character wherever it stands: a byte-order mark is the caller's to skip.
class TextDecoder {
public:
    explicit TextDecoder(TextEncoding encoding);

    // The piece's text; what the next piece may complete is held back until then.
    QString decode(QByteArrayView piece);
    // What is held back at the text's end.
    QString finish();
    // Whether the bytes so far were anything but UTF-8, those finish() took included.
    bool hasError() const { return broken_; }

private:
    QString decodeUtf8Piece(QByteArrayView piece);

    TextEncoding encoding_;
    QStringDecoder decoder_;
    // The start of a UTF-8 character that ends a piece, or a high surrogate, until the next piece completes it.
    QByteArray heldBytes_;
    QString heldSurrogate_;
    bool broken_ = false;
};

// Decodes the bytes of a whole text file:
// - FF FE starts UTF-16 little-endian, FE FF UTF-16 big-endian;
// - EF BB BF starts UTF-8;
// - without a mark, valid UTF-8 is UTF-8 and anything else is Windows-1252;
// each as TextDecoder decodes it. The byte-order mark itself never reaches the text.
QString decodeText(QByteArrayView bytes);

// UTF-8 bytes that hold whole characters, from anywhere in a text: a U+FEFF they start with is a character of the
// text, which QString::fromUtf8() would drop.
QString decodeUtf8(QByteArrayView bytes);

} // namespace quillmere
