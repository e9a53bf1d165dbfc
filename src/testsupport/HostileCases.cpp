#include "testsupport/DifferentialCheck.h"

#include <QStringEncoder>
#include <QStringList>

#include <algorithm>
#include <array>
#include <random>

using namespace Qt::StringLiterals;

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
// separators, marks or non-characters elsewhere; texts that read as the .xlsx form's escapes; runs of spaces and
// tabs; an empty text.
const QStringList special =
    QStringLiteral(
        "0012|=1+2|+1|-|1e5|TRUE|1/2/2003|12:30|50%|#N/A|'quoted|\"quoted, with comma\"|3,14|1 000|@x|"
        "=SUM(A1:A2)|\"|\"\"|\u00B8|\uFEFF|\u2028|\u2029|\u00E9|\u65E5\u672C|\U0001F600|\uFFFE|\uFFFF|\u0085|"
        "\u00A0|\u200B|\u20AC|_x0041_|_x001B_|_x005F_|aaa|aa|\u00FF\u00FE|| |  | x |\t|a  b|aXb")
        .split(u'|');

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
        return special[qsizetype(below(random, std::size_t(special.size())))];
    }
    if (flavour.controls && chance(random, 0.1)) {
        const auto c = char16_t(below(random, 32));
        return c == u'\n' || c == u'\r' ? u"\u0000"_s : QString(QChar(c));
    }
    if (flavour.utf16 && chance(random, 0.1)) {
        return QString(QChar(chance(random, 0.5) ? 0xD800 : 0xDC00));
    }
    return word(random);
}

// Few cases carry a heavy line, as the seed's modulus and remainder say: they are slow for the office, and one of
// each kind finds what they find. Pieces far beyond the 65,535 characters of a cell of the office's text import, of a
// letter no typed delimiter holds; rows as wide as a sheet, and wider than the text import's 1,024 columns.
QStringList heavyLine(std::uint64_t seed) {
    static constexpr std::array<std::array<qsizetype, 4>, 4> kinds{
        {{97, 13, 1'000'003, 0}, {29, 5, 70'000, 0}, {83, 41, 0, 16'384}, {11, 7, 0, 1'100}}};
    for (const auto& [modulus, remainder, length, width] : kinds) {
        if (seed % std::uint64_t(modulus) == std::uint64_t(remainder)) {
            QStringList cells = length > 0 ? QStringList{u"1"_s, QString(length, QChar(u'q')), u"2"_s} : QStringList();
            for (qsizetype i = 0; i < width; ++i) {
                cells << (i % 7 == 3 ? QString() : QString::number(i));
            }
            return cells;
        }
    }
    return {};
}

// A cell of one piece, or of two with a comma between, which cuts only under its own rule.
QString cell(Random& random, const Flavour& flavour) {
    return chance(random, 0.2) ? piece(random, flavour) + u',' + piece(random, flavour) : piece(random, flavour);
}

std::vector<CaseLine> fileLines(Random& random, const Flavour& flavour, const QStringList& heavy) {
    std::vector<CaseLine> lines;
    const std::size_t count = chance(random, 0.08) ? 0 : below(random, 25);
    const std::size_t heavyAt = heavy.isEmpty() ? count + 1 : below(random, count + 1);
    for (std::size_t line = 0; line <= count; ++line) {
        if (line == heavyAt) {
            // A row of its own, also behind a line without its line end or ending in a lone CR.
            lines.push_back({{}, u"\n"_s});
            lines.push_back({heavy, u"\n"_s});
        }
        if (line == count) {
            break;
        }
        CaseLine drawn;
        for (std::size_t n = below(random, 9); n > 0; --n) {
            drawn.cells << cell(random, flavour);
        }
        // The last line goes without a line end now and then.
        if (line + 1 < count || chance(random, 0.7)) {
            drawn.end = pick(random, std::array<QString, 5>{u"\n"_s, u"\r\n"_s, u"\n"_s, u"\r\n"_s,
                                                            flavour.controls ? u"\r"_s : u"\n"_s});
        }
        lines.push_back(std::move(drawn));
    }
    return lines;
}

// Windows-1252 bytes that read back as the same text: the text fits, its bytes start with no byte-order mark, and
// unless they are ASCII they are no UTF-8.
bool readsBackAsWindows1252(const QString& text) {
    QStringEncoder encoder("windows-1252");
    const QByteArray bytes = encoder(text); // the encoder learns of a character it cannot take as it encodes
    if (encoder.hasError() || std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); })) {
        return false;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xEF\xBB\xBF")) {
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8(bytes);
    return utf8.hasError() || asUtf8 == text;
}

CaseFile caseFile(Random& random, QString name, std::vector<CaseLine> lines, const QString& joiner, bool utf16) {
    CaseFile file{std::move(name), std::move(lines)};
    if (utf16) {
        file.encoding = chance(random, 0.5) ? "UTF-16LE" : "UTF-16BE";
        file.mark = true;
    } else if (readsBackAsWindows1252(file.text(joiner)) && chance(random, 0.4)) {
        file.encoding = "windows-1252";
    } else {
        file.mark = chance(random, 0.33);
    }
    return file;
}

// Names alike in another letter case, like the new document's sheet, or with nothing a sheet name keeps.
QString fileName(Random& random, std::size_t f) {
    const QString name =
        chance(random, 0.7)
            ? QStringLiteral("f%1.txt").arg(f)
            : pick(random, std::array<QString, 6>{u"report.txt"_s, u"Report.txt"_s, u"sheet1"_s, u"\u00E9.\u00FC"_s,
                                                  u"Sales-2008 (final).txt"_s, u"Gr\u00FC\u00DFe.txt"_s});
    return QStringLiteral("%1/%2").arg(f).arg(name);
}

} // namespace

QString CaseFile::text(const QString& joiner) const {
    QString joined;
    for (const CaseLine& line : lines) {
        joined += line.cells.join(joiner) + line.end;
    }
    return joined;
}

QByteArray CaseFile::bytes(const QString& joiner) const {
    QStringEncoder encoder(encoding, mark ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return encoder.encode(text(joiner));
}

QString HostileCase::cutAt() const {
    return rule == ColumnRule::SplitAtText
               ? delimiter
               : std::array{QString(), u" "_s, u","_s, QString(), u"\t"_s}[std::size_t(rule)];
}

QString HostileCase::joiner() const {
    const QString cut = cutAt();
    return cut.isEmpty() ? QStringLiteral("\u00B8") : cut;
}

HostileCase hostileCase(std::uint64_t seed) {
    Random random(seed);
    HostileCase c;
    c.seed = seed;
    c.layout = seed % 2 == 0 ? SheetLayout::SingleSheet : SheetLayout::SheetPerFile;
    c.rule = ColumnRule(seed / 2 % 5);
    c.delimiter = pick(random, std::array<QString, 7>{u"aa"_s, u"::"_s, u";"_s, u"ab"_s, u"x"_s, u"|"_s, {}});
    for (std::size_t f = 0, count = 1 + below(random, 4); f < count; ++f) {
        const Flavour flavour{chance(random, 0.25), chance(random, 0.2)};
        std::vector<CaseLine> lines = fileLines(random, flavour, f == 0 ? heavyLine(seed) : QStringList());
        c.files.push_back(caseFile(random, fileName(random, f), std::move(lines), c.joiner(), flavour.utf16));
    }
    return c;
}

std::vector<HostileCase> fixedCases() {
    const QString lf = u"\n"_s;
    // The office's text import took a text's leading U+FEFF for a byte-order mark and dropped it. Other kinds of
    // difference found so far, the drawn cases meet with their seeds.
    std::vector<HostileCase> cases;
    for (const SheetLayout layout : {SheetLayout::SingleSheet, SheetLayout::SheetPerFile}) {
        for (const auto& [encoding, mark] : {std::pair{"UTF-16LE", true}, {"UTF-8", false}, {"UTF-8", true}}) {
            cases.push_back({.files = {{u"fixed.txt"_s, {{{u"\uFEFF"_s, u"x"_s}, lf}}, encoding, mark}},
                             .layout = layout,
                             .rule = ColumnRule::SplitAtComma,
                             .delimiter = {}});
        }
    }
    // Files pass one at a time and in pieces: a delimiter and a CR LF cut by the files' ends, and a file of many
    // pieces, through the office's import and, with a NUL in it, through block writes.
    for (const QString& nul : {QString(), QStringLiteral("\u0000")}) {
        const HostileCase across{.files = {{u"1.txt"_s, {{{u"p"_s, u"q:"_s}, {}}}},
                                           {u"2.txt"_s, {{{u":r"_s}, u"\r"_s}}, "UTF-16LE", true},
                                           {u"3.txt"_s, {{{}, lf}, {{u"s"_s + nul}, {}}}, "windows-1252"}},
                                 .rule = ColumnRule::SplitAtText,
                                 .delimiter = u"::"_s};
        cases.push_back(across);
        std::vector<CaseLine> large;
        for (int line = 0; line < 25'000; ++line) {
            large.push_back({{QString::number(line), u"\u00E9\U0001F600"_s, u":\u00B8"_s}, u"\r\n"_s});
            large.push_back({{QString(), QStringLiteral("\u4E2D\u6587 %1").arg(line), QString()}, {}});
        }
        large.back().cells.back() += nul;
        HostileCase pieces = across;
        pieces.files = {{u"large.txt"_s, std::move(large)}};
        cases.push_back(pieces);
    }
    return cases;
}

} // namespace quillmere::testing
