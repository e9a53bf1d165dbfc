#include "testsupport/DifferentialCheck.h"

#include <QStringEncoder>
#include <QStringList>

#include <algorithm>
#include <array>
#include <random>

namespace quillmere::testing {
namespace {

using Random = std::mt19937_64;

std::size_t below(Random& random, std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
}

bool chance(Random& random, double p) {
    return std::bernoulli_distribution(p)(random);
}

template <typename T, std::size_t N>
const T& pick(Random& random, const std::array<T, N>& items) {
    return items[below(random, N)];
}

// Texts a spreadsheet would rather read as numbers, dates, formulas, errors or quoted fields; characters that are
// separators, marks or non-characters elsewhere; runs of spaces and tabs.
const std::array<QString, 40> special = {
    u"0012"_qs,       u"=1+2"_qs,         u"+1"_qs,       u"-"_qs,
    u"1e5"_qs,        u"TRUE"_qs,         u"1/2/2003"_qs, u"12:30"_qs,
    u"50%"_qs,        u"#N/A"_qs,         u"'quoted"_qs,  u"\"quoted, with comma\""_qs,
    u"3,14"_qs,       u"1 000"_qs,        u"@x"_qs,       u"=SUM(A1:A2)"_qs,
    u"\""_qs,         u"\"\""_qs,         u"\u00B8"_qs,   u"\uFEFF"_qs,
    u"\u2028"_qs,     u"\u2029"_qs,       u"\u00E9"_qs,   u"\u65E5\u672C"_qs,
    u"\U0001F600"_qs, u"\uFFFE"_qs,       u"\uFFFF"_qs,   u"\u0085"_qs,
    u"\u00A0"_qs,     u"\u200B"_qs,       u"\u20AC"_qs,   u"aaa"_qs,
    u"aa"_qs,         u"\u00FF\u00FE"_qs, QString(),      u" "_qs,
    u"  "_qs,         u" x "_qs,          u"\t"_qs,       u"a  b"_qs,
};

QString word(Random& random) {
    QString w;
    for (std::size_t n = 1 + below(random, 8); n > 0; --n) {
        w += QChar(u'a' + char16_t(below(random, 26)));
    }
    return w;
}

// What a file may hold beyond the common: control characters (NUL among them) and lone CRs keep the office's own
// text import out, and lone surrogates need UTF-16, so only some files carry them.
struct Flavour {
    bool utf16 = false;
    bool controls = false;
};

QString piece(Random& random, const Flavour& flavour) {
    if (chance(random, 0.3)) {
        return pick(random, special);
    }
    if (flavour.controls && chance(random, 0.1)) {
        const auto c = char16_t(below(random, 32));
        return c == u'\n' || c == u'\r' ? u"\u0000"_qs : QString(QChar(c));
    }
    if (flavour.utf16 && chance(random, 0.1)) {
        return QString(QChar(chance(random, 0.5) ? 0xD800 : 0xDC00));
    }
    return word(random);
}

// Few cases carry a heavy line, as the seed's modulus and remainder say: they are slow for the office, and one of
// each kind finds what they find. Pieces far beyond the 65,535 characters of a cell of the office's text import, of a
// letter no typed delimiter holds; rows as wide as a sheet, and wider than the text import's 1,024 columns, cut where
// the rule cuts, or at the cell separator itself where the rule does not cut.
QString heavyLine(std::uint64_t seed, const QString& delimiter) {
    static constexpr std::array<std::array<qsizetype, 4>, 4> kinds{
        {{97, 13, 1'000'003, 0}, {29, 5, 70'000, 0}, {83, 41, 0, 16'384}, {11, 7, 0, 1'100}}};
    for (const auto& [modulus, remainder, length, width] : kinds) {
        if (seed % std::uint64_t(modulus) == std::uint64_t(remainder)) {
            QStringList pieces =
                length > 0 ? QStringList{u"1"_qs, QString(length, QChar(u'q')), u"2"_qs} : QStringList();
            for (qsizetype i = 0; i < width; ++i) {
                pieces << (i % 7 == 3 ? QString() : QString::number(i));
            }
            return pieces.join(delimiter);
        }
    }
    return {};
}

QString fileText(Random& random, const QString& delimiter, const Flavour& flavour, const QString& heavy) {
    QString text;
    const std::size_t lines = chance(random, 0.08) ? 0 : below(random, 25);
    const std::size_t heavyAt = heavy.isEmpty() ? lines + 1 : below(random, lines + 1);
    for (std::size_t line = 0; line <= lines; ++line) {
        if (line == heavyAt) {
            // A row of its own, also behind a line without its line end or ending in a lone CR.
            text += u'\n' + heavy + u'\n';
        }
        if (line == lines) {
            break;
        }
        for (std::size_t n = below(random, 9), p = 0; p < n; ++p) {
            if (p > 0) {
                text += chance(random, 0.8) || delimiter.isEmpty() ? delimiter : u","_qs;
            }
            text += piece(random, flavour);
        }
        // The last line goes without a line end now and then.
        if (line + 1 < lines || chance(random, 0.7)) {
            text += pick(random, std::array<QString, 5>{u"\n"_qs, u"\r\n"_qs, u"\n"_qs, u"\r\n"_qs,
                                                        flavour.controls ? u"\r"_qs : u"\n"_qs});
        }
    }
    return text;
}

bool fitsWindows1252(const QString& text) {
    QStringEncoder encoder("windows-1252");
    const QByteArray encoded = encoder(text); // the encoder learns of a character it cannot take as it encodes
    return !encoder.hasError() && std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
}

CaseFile caseFile(Random& random, QString name, QString text, bool utf16) {
    if (utf16) {
        return {std::move(name), std::move(text), chance(random, 0.5) ? "UTF-16LE" : "UTF-16BE", true};
    }
    if (fitsWindows1252(text) && chance(random, 0.4)) {
        return {std::move(name), std::move(text), "windows-1252"};
    }
    return {std::move(name), std::move(text), "UTF-8", chance(random, 0.33)};
}

} // namespace

QByteArray CaseFile::bytes() const {
    QStringEncoder encoder(encoding, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(text);
}

QString HostileCase::describe() const {
    static const std::array<const char*, 5> rules = {"no split", "split at space", "split at comma",
                                                     "split at typed text", "split at tab"};
    QString words = QStringLiteral("%1, %2").arg(layout == SheetLayout::SingleSheet ? "one sheet" : "sheet per file",
                                                 rules[std::size_t(rule)]);
    if (rule == ColumnRule::SplitAtText) {
        words += QStringLiteral(" \"%1\"").arg(delimiter);
    }
    for (const CaseFile& file : files) {
        words += QStringLiteral(", %1 (%2%3)").arg(file.name, file.encoding, file.mark ? " with a mark" : "");
    }
    return words + (seed == 0 ? QStringLiteral("; a case built by hand")
                              : QStringLiteral("; run it alone with --first-seed %1 --cases 1").arg(seed));
}

HostileCase hostileCase(std::uint64_t seed) {
    Random random(seed);
    HostileCase c;
    c.seed = seed;
    c.layout = seed % 2 == 0 ? SheetLayout::SingleSheet : SheetLayout::SheetPerFile;
    c.rule = ColumnRule(seed / 2 % 5);
    c.delimiter = pick(random, std::array<QString, 7>{u"aa"_qs, u"::"_qs, u";"_qs, u"ab"_qs, u"x"_qs, u"|"_qs, {}});
    // The text that joins pieces: where the rule does not cut, a comma; a typed delimiter may be empty.
    const QString delimiter = c.rule == ColumnRule::SplitAtText
                                  ? c.delimiter
                                  : std::array{u","_qs, u" "_qs, u","_qs, QString(), u"\t"_qs}[std::size_t(c.rule)];
    const QString heavyDelimiter =
        c.rule == ColumnRule::NoSplit || delimiter.isEmpty() ? QString(CellSeparator) : delimiter;
    for (std::size_t f = 0, count = 1 + below(random, 4); f < count; ++f) {
        const Flavour flavour{chance(random, 0.25), chance(random, 0.2)};
        const QString text = fileText(random, delimiter, flavour, f == 0 ? heavyLine(seed, heavyDelimiter) : QString());
        c.files.push_back(caseFile(random, QStringLiteral("f%1.txt").arg(f), text, flavour.utf16));
    }
    return c;
}

std::vector<HostileCase> fixedCases() {
    const auto one = [](SheetLayout layout, QString text, const char* encoding) {
        HostileCase c;
        c.layout = layout;
        c.rule = ColumnRule::SplitAtComma;
        c.files.push_back({u"fixed.txt"_qs, std::move(text), encoding, encoding != QByteArray("UTF-8")});
        return c;
    };
    // The office's text import cut a cell after 65,535 characters.
    const QString longLine = QString(70'000, QChar(u'x')) + u"\nshort\n"_qs;
    // A lone low surrogate in a cell brought the office down; a lone high one at a cell's end vanished.
    const QString loneSurrogates = u"a"_qs + QChar(0xDC00) + u"b,c"_qs + QChar(0xD800) + u"\n"_qs + QChar(0xD800);
    // The office's text import starts a row at a lone CR, which the row rules drop.
    const QString loneCr = u"x\ry,z\r\nw"_qs;
    // The office's text import took a text's leading U+FEFF for a byte-order mark and dropped it.
    const QString leadingMark = u"\uFEFF,x\n"_qs;
    // The office dropped a tab written as the flat file's tab element.
    const QString tabs = u"a\tb,\t, \t x\t\n\t\n"_qs;
    std::vector<HostileCase> cases;
    for (const SheetLayout layout : {SheetLayout::SingleSheet, SheetLayout::SheetPerFile}) {
        cases.push_back(one(layout, longLine, "UTF-8"));
        cases.push_back(one(layout, loneSurrogates, "UTF-16BE"));
        cases.push_back(one(layout, tabs, "UTF-8"));
        cases.push_back(one(layout, loneCr, "UTF-8"));
        cases.push_back(one(layout, leadingMark, "UTF-16LE"));
    }
    // Files pass one at a time and in pieces: a delimiter and a CR LF cut by the files' ends, and a file of many
    // pieces, through the office's import and, with a NUL in it, through block writes.
    for (const QString& nul : {QString(), QStringLiteral("\u0000")}) {
        HostileCase across;
        across.rule = ColumnRule::SplitAtText;
        across.delimiter = u"::"_qs;
        across.files = {{u"1.txt"_qs, u"p::q:"_qs},
                        {u"2.txt"_qs, u":r\r"_qs, "UTF-16LE", true},
                        {u"3.txt"_qs, u"\ns"_qs + nul, "windows-1252"}};
        cases.push_back(across);
        QString large;
        for (int line = 0; line < 25'000; ++line) {
            large += u"%1::\u00E9\U0001F600:::\u00B8\r\n::\u4E2D\u6587 %1::"_qs.arg(line);
        }
        HostileCase pieces = across;
        pieces.files = {{u"large.txt"_qs, large + nul}};
        cases.push_back(pieces);
    }
    return cases;
}

} // namespace quillmere::testing
