#pragma once

#include "import/Spreadsheet.h"
#include "import/run/ImportRequest.h"
#include "testsupport/DocumentContents.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// The differential check: hostile cases, generated from a seed or built by hand, run through the import into an
// office, the real one or the stand-in, and held against the cells they were drawn from.
namespace quillmere::testing {

// One line of a file as drawn: its cells, and the line end behind them: LF, CR LF, a lone CR, or none.
struct CaseLine {
    QStringList cells;
    QString end;
};

// One input file of a case: its path in the case's folder, its lines, and how it is stored, by the encoding's name
// and whether a byte-order mark leads. A file with a lone surrogate is stored as UTF-16, one with characters outside
// Windows-1252 never as Windows-1252.
struct CaseFile {
    QString name;
    std::vector<CaseLine> lines;
    const char* encoding = "UTF-8";
    bool mark = false;
    // The lines with their cells joined by joiner.
    QString text(const QString& joiner) const;
    QByteArray bytes(const QString& joiner) const;
};

// Files, layout and column rule of one import, with cells chosen to trip the import: pieces beyond the office's
// import limits, very wide rows, every kind of line end, control characters, byte-order marks and line
// separators inside lines, lone surrogates, numbers, dates and formulas that must stay text, quotes, runs of
// spaces, typed delimiters that overlap themselves.
struct HostileCase {
    std::uint64_t seed = 0; // 0 for a case built by hand
    std::vector<CaseFile> files;
    SheetLayout layout = SheetLayout::SingleSheet;
    ColumnRule rule = ColumnRule::NoSplit;
    QString delimiter;
    // What the rule cuts at; empty where it cuts nothing.
    QString cutAt() const;
    // What stands between two drawn cells in a file: what the rule cuts at, or else U+00B8, which always cuts.
    QString joiner() const;
};

// The case of a seed: the same seed always gives the same case. Every layout and rule come round in turn.
HostileCase hostileCase(std::uint64_t seed);

// Cases built by hand, of kinds the drawn ones meet too seldom: a leading U+FEFF in every encoding, a delimiter and
// a CR LF cut by the files' ends, a file of many pieces.
std::vector<HostileCase> fixedCases();

// Reads an office's document back and lets go of it; or reads a saved workbook back.
using DocumentReader = std::function<inspect::DocumentContents(const SpreadsheetDocument&)>;
using SavedFileReader = std::function<inspect::DocumentContents(const QString& path)>;

// Runs the cases to check through the import, each over the office that officeFor gives it, and holds the document
// it leaves, read back, against the cells drawn. The cases: QUILLMERE_CASES drawn ones (150 unless set) from the seed
// QUILLMERE_FIRST_SEED on, or else from seed 1 on after the cases built by hand. Gives the first difference of each
// case that differs, led by its seed or the index of a hand-built case. Prints "<label>: N cases, M differences".
QStringList checkCases(const char* label, const std::function<SpreadsheetOffice&()>& officeFor,
                       const DocumentReader& read);
// The same, each run saving its workbook in a file of the ending given, which is read back. Where the office's limits
// keep sheet names short or cells shorter than some drawn, the names are held cut, and the run must refuse the case.
QStringList checkSavedCases(const char* label, const std::function<SpreadsheetOffice&()>& officeFor,
                            const QString& ending, const SavedFileReader& read);

} // namespace quillmere::testing
