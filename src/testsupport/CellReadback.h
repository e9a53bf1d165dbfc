#pragma once

#include "import/Spreadsheet.h"

#include <QString>

#include <ostream>
#include <vector>

// What a document opened through SpreadsheetConnection really holds, read back from the office:
// for the tests and the benchmark, which must look at the office's own cells.
namespace quillmere::inspect {

struct Cell {
    enum class Kind { Empty, Text, Number, Formula };
    Kind kind = Kind::Empty;
    QString content;

    static Cell empty() { return {}; }
    static Cell text(QString content) { return {Kind::Text, std::move(content)}; }
    bool operator==(const Cell&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Cell& cell);

using Cells = std::vector<std::vector<Cell>>;

// The cells of the top-left columns x rows of the sheet at the index, row by row.
Cells readCells(const SpreadsheetDocument& document, int sheet, qsizetype columns, qsizetype rows);
// The texts of a range, row by row, in one call (empty cells give empty texts).
std::vector<std::vector<QString>> readTexts(const SpreadsheetDocument& document, int sheet, qsizetype columns,
                                            qsizetype rows);
// The number of rows and columns in use on the sheet (0, 0 for an empty sheet).
std::pair<qsizetype, qsizetype> usedSize(const SpreadsheetDocument& document, int sheet);

// The number format key of a cell; 0 is the general format.
qint32 numberFormatOf(const SpreadsheetDocument& document, int sheet, qsizetype column, qsizetype row);

// How a sheet looks where the user has typed nothing yet: what a document made new must share with one loaded.
struct Looks {
    qint32 columnWidth = 0;
    qint32 rowHeight = 0;
    QString cellStyle;
    QString fontName;
    float fontHeight = 0;
    QString pageStyle;
    bool operator==(const Looks&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Looks& looks);
Looks looksOf(const SpreadsheetDocument& document, int sheet);

bool isModified(const SpreadsheetDocument& document);
bool canUndo(const SpreadsheetDocument& document);
// The filter the document would be saved with, empty when none is set.
QString saveFilter(const SpreadsheetDocument& document);
bool hasLocation(const SpreadsheetDocument& document);
// Closes the document as a user would.
void closeDocument(const SpreadsheetDocument& document);

} // namespace quillmere::inspect
