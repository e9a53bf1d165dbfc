#pragma once

#include <QStringView>

namespace quillmere {

// Whether XML 1.0 can hold the character: not the control characters other than tab, LF and CR, nor U+FFFE, U+FFFF.
// An OpenDocument file cannot hold the others, so saving one leaves them out.
constexpr bool isXmlCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x20 || u == u'\t' || u == u'\n' || u == u'\r') && u != 0xFFFE && u != 0xFFFF;
}

// The characters XML cannot hold in a text that passes in pieces, rows cut at line feeds: how many, and the row of the
// first, counting from 0.
class XmlExclusions {
public:
    void add(QStringView text);
    qsizetype count() const { return count_; }
    qsizetype firstRow() const { return firstRow_; }

private:
    qsizetype count_ = 0;
    qsizetype firstRow_ = -1;
    qsizetype row_ = 0;
};

} // namespace quillmere
