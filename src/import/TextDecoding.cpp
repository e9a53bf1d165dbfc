#include "import/TextDecoding.h"

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

} // namespace

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? windows1252High[b - 0x80] : char16_t(b);
    }
    return text;
}

QString decodeText(QByteArrayView bytes) {
    if (startsWith(bytes, {0xFF, 0xFE})) {
        return decodeUtf16<false>(bytes.sliced(2));
    }
    if (startsWith(bytes, {0xFE, 0xFF})) {
        return decodeUtf16<true>(bytes.sliced(2));
    }
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        return QString::fromUtf8(bytes.sliced(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    return decodeWindows1252(bytes);
}

} // namespace quillmere
