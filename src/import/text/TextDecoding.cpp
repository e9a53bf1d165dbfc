#include "import/text/TextDecoding.h"

#include <utility>

namespace quillmere {
namespace {

// A mark at the start of a piece is text: the mark of the file is skipped before any piece.
constexpr auto keepMarks = QStringDecoder::Flag::ConvertInitialBom;

QStringDecoder decoderFor(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        break;
    case TextEncoding::Windows1252:
        return QStringDecoder("windows-1252", keepMarks);
    case TextEncoding::Utf16LittleEndian:
        return QStringDecoder(QStringDecoder::Utf16LE, keepMarks);
    case TextEncoding::Utf16BigEndian:
        return QStringDecoder(QStringDecoder::Utf16BE, keepMarks);
    }
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | keepMarks);
}

// Qt's UTF-8 decoder, carried across pieces, can lose a whole character behind a broken one that a piece's end cuts
// (F0 9F | C3 A9 gives two U+FFFD and no é), so UTF-8 pieces end between characters. An ASCII byte ends every
// character before it, however broken: the safest place to cut. Without one nearby, the start of a character is the
// place, which is exact for valid UTF-8; in a file with a mark and broken UTF-8 as well it could change how many
// U+FFFD stand for the broken bytes.
qsizetype utf8PieceEnd(QByteArrayView bytes) {
    constexpr qsizetype asciiReach = 64 * 1024;
    for (qsizetype i = bytes.size() - 1; i >= 0 && i >= bytes.size() - asciiReach; --i) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            return i + 1;
        }
    }
    constexpr qsizetype longestCharacter = 4;
    for (qsizetype i = bytes.size() - 1; i > 0 && i >= bytes.size() - longestCharacter; --i) {
        if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
            return i;
        }
    }
    return bytes.size();
}

// A surrogate without its partner is no character at all, and the office cannot hold one: a cell with a lone
// low surrogate brings it down. It becomes U+FFFD, as in every other decoder; Qt's UTF-16 decoder passes it on.
void replaceLoneSurrogates(QString& text) {
    QChar* units = text.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (units[i].isHighSurrogate() && i + 1 < text.size() && units[i + 1].isLowSurrogate()) {
            ++i;
        } else if (units[i].isSurrogate()) {
            units[i] = QChar::ReplacementCharacter;
        }
    }
}

QString decodeWhole(TextEncoding encoding, QByteArrayView bytes) {
    TextDecoder decoder(encoding);
    QString text = decoder.decode(bytes);
    return text + decoder.finish();
}

} // namespace

TextDecoder::TextDecoder(TextEncoding encoding)
    : encoding_(encoding)
    , decoder_(decoderFor(encoding)) {}

QString TextDecoder::decodeUtf8Piece(QByteArrayView piece) {
    QString text = decoder_.decode(piece);
    broken_ = broken_ || decoder_.hasError();
    return text;
}

QString TextDecoder::decode(QByteArrayView piece) {
    if (encoding_ == TextEncoding::Utf8) {
        const QByteArray joined = heldBytes_.isEmpty() ? QByteArray() : std::exchange(heldBytes_, {}).append(piece);
        const QByteArrayView bytes = joined.isEmpty() ? piece : QByteArrayView(joined);
        const qsizetype end = utf8PieceEnd(bytes);
        heldBytes_ = bytes.sliced(end).toByteArray();
        return decodeUtf8Piece(bytes.first(end));
    }
    QString text = std::exchange(heldSurrogate_, {}) + QString(decoder_.decode(piece));
    if (!text.isEmpty() && text.back().isHighSurrogate()) {
        heldSurrogate_ = text.back();
        text.chop(1);
    }
    replaceLoneSurrogates(text);
    return text;
}

// An unfinished UTF-8 character is broken; Qt's UTF-16 decoder drops an odd last byte by itself.
QString TextDecoder::finish() {
    if (encoding_ == TextEncoding::Utf8) {
        return decodeUtf8Piece(std::exchange(heldBytes_, {}));
    }
    QString rest = std::exchange(heldSurrogate_, {});
    replaceLoneSurrogates(rest);
    return rest;
}

MarkedEncoding byteOrderMark(QByteArrayView head) {
    if (head.startsWith("\xFF\xFE")) {
        return {TextEncoding::Utf16LittleEndian, 2};
    }
    if (head.startsWith("\xFE\xFF")) {
        return {TextEncoding::Utf16BigEndian, 2};
    }
    if (head.startsWith("\xEF\xBB\xBF")) {
        return {TextEncoding::Utf8, 3};
    }
    return {};
}

QString decodeText(QByteArrayView bytes) {
    const MarkedEncoding marked = byteOrderMark(bytes);
    if (marked.markLength > 0) {
        return decodeWhole(marked.encoding, bytes.sliced(marked.markLength));
    }
    TextDecoder utf8(TextEncoding::Utf8);
    QString text = utf8.decode(bytes);
    text += utf8.finish();
    return utf8.hasError() ? decodeWhole(TextEncoding::Windows1252, bytes) : text;
}

QString decodeUtf8(QByteArrayView bytes) {
    QStringDecoder utf8 = decoderFor(TextEncoding::Utf8);
    return utf8(bytes);
}

} // namespace quillmere
