#include "testsupport/DifferentialCheck.h"

#include "base/Error.h"
#include "import/run/ImportRun.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace quillmere::testing {

using inspect::DocumentContents;
using inspect::SheetContents;

namespace {

// The sheet a new document brings, which the one sheet takes over and a file's sheet may not be named like.
const QString firstSheet = QStringLiteral("Sheet1");
constexpr QChar cedilla = u'\u00B8';

// A UTF-8 file written without a mark and starting with U+FEFF starts with a mark, which is no text; a lone
// surrogate is no character.
QString cellAsRead(QString cell, const CaseFile& file, bool leading) {
    if (leading && !file.mark && QByteArrayView(file.encoding) == "UTF-8" && cell.startsWith(u'\uFEFF')) {
        cell.remove(0, 1);
    }
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i].isHighSurrogate() && i + 1 < cell.size() && cell[i + 1].isLowSurrogate()) {
            ++i;
        } else if (cell[i].isSurrogate()) {
            cell[i] = QChar::ReplacementCharacter;
        }
    }
    return cell;
}

// The texts of the rows the files' lines give: a line without a line feed at its end goes on in the next, also
// across files.
QStringList rowTexts(const std::vector<const CaseFile*>& files, const QString& joiner) {
    QStringList rows{QString()};
    for (const CaseFile* file : files) {
        for (std::size_t l = 0; l < file->lines.size(); ++l) {
            QStringList cells;
            for (const QString& cell : file->lines[l].cells) {
                cells << cellAsRead(cell, *file, l == 0 && cells.isEmpty());
            }
            rows.back() += cells.join(joiner);
            if (file->lines[l].end.endsWith(u'\n')) {
                rows << QString();
            }
        }
    }
    return rows;
}

// A row's cells: cut from left to right at every whole match of what the rule cuts at, then at every U+00B8.
std::vector<QString> cellsOf(const QString& row, const QString& cutAt) {
    QStringList cells;
    for (const QString& part : cutAt.isEmpty() ? QStringList{row} : row.split(cutAt)) {
        cells << part.split(cedilla);
    }
    return row.isEmpty() ? std::vector<QString>() : std::vector<QString>(cells.begin(), cells.end());
}

// The ASCII letters, digits and spaces of a file's name, or "Sheet" where it has none.
QString sheetName(const QString& path) {
    QString name;
    for (const QChar c : path.sliced(path.lastIndexOf(u'/') + 1)) {
        if (c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u' ')) {
            name += c;
        }
    }
    return name.isEmpty() ? QStringLiteral("Sheet") : name;
}

// A cell's text as a person can read it in a report: controls escaped, long texts cut short.
QString shown(const QString& text) {
    QString out;
    for (const QChar c : text.first(std::min<qsizetype>(text.size(), 40))) {
        out += c.isPrint() && c != u'\\' ? QString(c) : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    }
    return QStringLiteral("\"%1\"%2 (%3 characters)").arg(out, text.size() > 40 ? u"…" : u"").arg(text.size());
}

// A row's cells; none where the sheet has no such row.
std::vector<QString> rowAt(const SheetContents& sheet, std::size_t row) {
    return row < sheet.rows.size() ? sheet.rows[row] : std::vector<QString>();
}

// A sheet the import must give. A suffixed name is the name followed by a number the run draws.
struct ExpectedSheet {
    inspect::SheetContents contents;
    bool suffixed = false;
};

// A name too long loses its end, a suffixed one before its number.
bool nameMatches(const ExpectedSheet& want, const QString& got, qsizetype maxLength) {
    if (!want.suffixed) {
        return got == want.contents.name.left(maxLength);
    }
    for (qsizetype digits = 1; digits <= 5; ++digits) {
        const QString name = QRegularExpression::escape(want.contents.name.left(maxLength - digits));
        if (QRegularExpression(QRegularExpression::anchoredPattern(name + u"[0-9]{%1}"_s.arg(digits)))
                .match(got)
                .hasMatch()) {
            return true;
        }
    }
    return false;
}

QString sheetDifference(const ExpectedSheet& want, const SheetContents& got, std::size_t position,
                        const OfficeLimits& limits) {
    if (!nameMatches(want, got.name, limits.sheetNameLength)) {
        return QStringLiteral("sheet %1: expected the name %2%3, found %4")
            .arg(position + 1)
            .arg(shown(want.contents.name), want.suffixed ? u" and a number" : u"", shown(got.name));
    }
    if (!got.nonText.isEmpty()) {
        return QStringLiteral("sheet %1 holds cells that are not text: %2").arg(position + 1).arg(got.nonText);
    }
    for (std::size_t r = 0; r < std::max(want.contents.rows.size(), got.rows.size()); ++r) {
        std::vector<QString> wanted = rowAt(want.contents, r), found = rowAt(got, r);
        const std::size_t width = std::max(wanted.size(), found.size());
        wanted.resize(width);
        found.resize(width);
        if (const auto [w, f] = std::mismatch(wanted.begin(), wanted.end(), found.begin()); w != wanted.end()) {
            return QStringLiteral("sheet \"%1\", row %2, column %3: expected %4, found %5")
                .arg(got.name)
                .arg(r + 1)
                .arg(w - wanted.begin() + 1)
                .arg(shown(*w), shown(*f));
        }
    }
    return {};
}

// The sheets of the case, in position order, from its drawn cells alone.
std::vector<ExpectedSheet> expectedSheets(const HostileCase& c, const OfficeLimits& limits) {
    const auto sheet = [&](const QString& name, bool suffixed, const std::vector<const CaseFile*>& files) {
        ExpectedSheet expected{{name, {}, {}}, suffixed};
        for (const QString& row : rowTexts(files, c.joiner())) {
            expected.contents.rows.push_back(cellsOf(row, c.cutAt()));
        }
        inspect::trim(expected.contents.rows);
        return expected;
    };
    std::vector<const CaseFile*> files;
    for (const CaseFile& file : c.files) {
        files.push_back(&file);
    }
    if (c.layout == SheetLayout::SingleSheet) {
        return {sheet(firstSheet, false, files)};
    }
    // One sheet per file, in reverse list order; the office compares names without letter case.
    QStringList taken{firstSheet};
    taken.append(QStringList(limits.reservedSheetNames.begin(), limits.reservedSheetNames.end()));
    std::vector<ExpectedSheet> sheets;
    for (const CaseFile* file : files) {
        const QString name = sheetName(file->name);
        sheets.insert(sheets.begin(), sheet(name, taken.contains(name, Qt::CaseInsensitive), {file}));
        taken << name;
    }
    return sheets;
}

qsizetype longestCell(const std::vector<ExpectedSheet>& sheets) {
    qsizetype longest = 0;
    for (const ExpectedSheet& sheet : sheets) {
        for (const auto& row : sheet.contents.rows) {
            for (const QString& cell : row) {
                longest = std::max(longest, cell.size());
            }
        }
    }
    return longest;
}

// What a run left, read back: the document it handed over, or the workbook it saved in output.
using ResultReader = std::function<DocumentContents(const RecordingOffice& office, const QString& output)>;

// The first difference between what the run leaves, read back, and the expected sheets, in words.
QString firstDifference(SpreadsheetOffice& office, const HostileCase& c, const QString& ending,
                        const ResultReader& read) {
    TextFiles folder;
    ImportRequest request{
        {}, c.layout, c.rule, c.delimiter, ending.isEmpty() ? QString() : folder.path(u"case"_s + ending)};
    for (const CaseFile& file : c.files) {
        request.paths << folder.write(file.name, file.bytes(c.joiner()));
    }
    const OfficeLimits limits = office.limits();
    const std::vector<ExpectedSheet> want = expectedSheets(c, limits);
    const bool tooLong = longestCell(want) > limits.sheet.cellLength;
    RecordingOffice recorder(office);
    try {
        ImportRun(recorder, request, [](int) {}).run();
    } catch (const Error& e) {
        if (ending.isEmpty() && recorder.lastDocument()) {
            read(recorder, {});
        }
        return tooLong && e.message().contains(u"holds a piece of") ? QString()
                                                                    : u"the run failed: %1"_s.arg(e.message());
    }
    if (tooLong) {
        return u"the run took a piece longer than a cell holds"_s;
    }
    const DocumentContents got = read(recorder, request.output);
    if (want.size() != got.size()) {
        return QStringLiteral("expected %1 sheets, found %2").arg(want.size()).arg(got.size());
    }
    for (std::size_t s = 0; s < want.size(); ++s) {
        if (QString difference = sheetDifference(want[s], got[s], s, limits); !difference.isEmpty()) {
            return difference;
        }
    }
    return {};
}

// A whole number from the environment, or the default where the variable is not set.
int fromEnvironment(const char* name, int otherwise) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    if (!ok && qEnvironmentVariableIsSet(name)) {
        throw std::invalid_argument(std::string(name) + " is not a whole number");
    }
    return ok ? value : otherwise;
}

QStringList runCases(const char* label, const std::function<SpreadsheetOffice&()>& officeFor, const QString& ending,
                     const ResultReader& read) {
    const int first = fromEnvironment("QUILLMERE_FIRST_SEED", 1), count = fromEnvironment("QUILLMERE_CASES", 150);
    std::vector<HostileCase> cases =
        qEnvironmentVariableIsSet("QUILLMERE_FIRST_SEED") ? std::vector<HostileCase>() : fixedCases();
    for (int seed = first; seed < first + count; ++seed) {
        cases.push_back(hostileCase(std::uint64_t(seed)));
    }
    QStringList differences;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (const QString found = firstDifference(officeFor(), cases[i], ending, read); !found.isEmpty()) {
            differences << (cases[i].seed ? u"seed %1: %2"_s : u"hand-built case %1: %2"_s)
                               .arg(cases[i].seed ? cases[i].seed : i)
                               .arg(found);
        }
    }
    std::fputs(qPrintable(u"%1: %2 cases, %3 differences\n"_s.arg(label).arg(cases.size()).arg(differences.size())),
               stdout);
    std::fflush(stdout);
    return differences;
}

} // namespace

QStringList checkCases(const char* label, const std::function<SpreadsheetOffice&()>& officeFor,
                       const DocumentReader& read) {
    return runCases(label, officeFor, {},
                    [&](const RecordingOffice& office, const QString&) { return read(*office.lastDocument()); });
}

QStringList checkSavedCases(const char* label, const std::function<SpreadsheetOffice&()>& officeFor,
                            const QString& ending, const SavedFileReader& read) {
    return runCases(label, officeFor, ending,
                    [&](const RecordingOffice&, const QString& output) { return read(output); });
}

} // namespace quillmere::testing
