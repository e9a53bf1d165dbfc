#include "import/text/TextDecoding.h"

#include <QStringDecoder>
#include <QtEndian>

#include <array>

namespace quillmere {
namespace {

constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool startsWith(QByteArrayView bytes, std::initializer_list<unsigned char> mark) {
    if (bytes.size() < qsizetype(mark.size())) {
        return false;
    }
    qsizetype i = 0;
    for (unsigned char b : mark) {
        if (static_cast<unsigned char>(bytes[i++]) != b) {
            return false;
        }
    }
    return true;
}

// A surrogate without its partner is no character at all, and the office cannot hold one: a cell with a lone
// low surrogate brings it down. It becomes U+FFFD, as in every other decoder.
void replaceLoneSurrogates(char16_t* units, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) {
        if (QChar::isHighSurrogate(units[i]) && i + 1 < count && QChar::isLowSurrogate(units[i + 1])) {
            ++i;
        } else if (QChar::isSurrogate(units[i])) {
            units[i] = QChar::ReplacementCharacter;
        }
    }
}

template <bool BigEndian>
QString decodeUtf16(QByteArrayView units) {
    const qsizetype count = units.size() / 2;
    QString text(count, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const char* in = units.data();
    for (qsizetype i = 0; i < count; ++i) {
        out[i] = BigEndian ? qFromBigEndian<quint16>(in + 2 * i) : qFromLittleEndian<quint16>(in + 2 * i);
    }
    replaceLoneSurrogates(out, count);
    return text;
}

// An ASCII byte ends every character before it, however broken, in every decoder: the safest place to cut.
// Without one nearby, the start of a character is the place, which is exact for valid UTF-8; in a file with a
// mark and broken UTF-8 as well it could change how many U+FFFD stand for the broken bytes.
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

// A piece ends on a whole unit, and never between the two halves of a surrogate pair.
template <bool BigEndian>
qsizetype utf16PieceEnd(QByteArrayView bytes) {
    const qsizetype end = bytes.size() & ~qsizetype(1);
    if (end < 4) {
        return end;
    }
    const auto lastUnit = BigEndian ? qFromBigEndian<quint16>(bytes.data() + end - 2)
                                    : qFromLittleEndian<quint16>(bytes.data() + end - 2);
    return QChar::isHighSurrogate(lastUnit) ? end - 2 : end;
}

} // namespace

QString decodeUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? windows1252High[b - 0x80] : char16_t(b);
    }
    return text;
}

MarkedEncoding byteOrderMark(QByteArrayView head) {
    if (startsWith(head, {0xFF, 0xFE})) {
        return {TextEncoding::Utf16LittleEndian, 2};
    }
    if (startsWith(head, {0xFE, 0xFF})) {
        return {TextEncoding::Utf16BigEndian, 2};
    }
    if (startsWith(head, {0xEF, 0xBB, 0xBF})) {
        return {TextEncoding::Utf8, 3};
    }
    return {};
}

QString decodeAs(TextEncoding encoding, QByteArrayView bytes) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return decodeUtf8(bytes);
    case TextEncoding::Windows1252:
        return decodeWindows1252(bytes);
    case TextEncoding::Utf16LittleEndian:
        return decodeUtf16<false>(bytes);
    case TextEncoding::Utf16BigEndian:
        return decodeUtf16<true>(bytes);
    }
    return {};
}

qsizetype pieceEnd(TextEncoding encoding, QByteArrayView bytes) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return utf8PieceEnd(bytes);
    case TextEncoding::Windows1252:
        return bytes.size();
    case TextEncoding::Utf16LittleEndian:
        return utf16PieceEnd<false>(bytes);
    case TextEncoding::Utf16BigEndian:
        return utf16PieceEnd<true>(bytes);
    }
    return bytes.size();
}

bool isUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString scratch(bytes.size(), Qt::Uninitialized);
    utf8.appendToBuffer(scratch.data(), bytes);
    return !utf8.hasError();
}

QString decodeText(QByteArrayView bytes) {
    const MarkedEncoding marked = byteOrderMark(bytes);
    if (marked.markLength > 0) {
        return decodeAs(marked.encoding, bytes.sliced(marked.markLength));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    return decodeWindows1252(bytes);
}

} // namespace quillmere
