#include "xlsx/XlsxText.h"

#include <QString>

#include <algorithm>

namespace quillmere::xlsx {
namespace {

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Escaped here or by libxlsxwriter: either way, written as an escape that begins with an underscore.
bool isEscaped(QChar c) {
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t' && u != u'\n') || u == 0xFFFE || u == 0xFFFF;
}

bool escapedHere(QChar c) {
    return c.unicode() == 0 || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF;
}

QString escape(QChar c) {
    return QStringLiteral("_x%1_").arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
}

// Whether the underscore at i begins "_xHHHH_" as the file will hold it.
bool beginsEscape(QStringView text, qsizetype i) {
    if (i + 6 >= text.size() || text[i + 1] != u'x' ||
        !std::all_of(text.begin() + i + 2, text.begin() + i + 6, isHexDigit)) {
        return false;
    }
    return text[i + 6] == u'_' || isEscaped(text[i + 6]);
}

} // namespace

QByteArray cellText(QStringView text) {
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c == u'_' || escapedHere(c); })) {
        return text.toUtf8();
    }
    QString written;
    written.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (escapedHere(c) || (c == u'_' && beginsEscape(text, i))) {
            written += escape(c);
        } else {
            written += c;
        }
    }
    return written.toUtf8();
}

} // namespace quillmere::xlsx
