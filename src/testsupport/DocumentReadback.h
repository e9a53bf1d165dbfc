#pragma once

#include "import/Spreadsheet.h"

#include <QString>
#include <QStringList>

#include <vector>

// What a document opened through SpreadsheetConnection really holds, read back from the office: for the tests and
// the benchmark, which must look at the office's own cells.
namespace quillmere::inspect {

// What a document holds, sheet by sheet in position order, row by row: each cell's text, an empty text for an
// empty cell. Rows end at their last non-empty cell, and a sheet at its last non-empty row, so two documents
// with the same cells compare equal however they were written.
struct SheetContents {
    QString name;
    std::vector<std::vector<QString>> rows;
    // Where the sheet holds anything but text (numbers, dates, formulas), as the office names ranges; or empty.
    QString nonText;
    bool operator==(const SheetContents&) const = default;
};
using DocumentContents = std::vector<SheetContents>;

// Drops the empty cells at the end of each row and the empty rows at the end of the sheet.
void trim(std::vector<std::vector<QString>>& rows);

// Reads every sheet of a document that the office adapter opened, from the office itself.
DocumentContents readDocument(const SpreadsheetDocument& document);

// The number formats of A1 and B2 of a sheet, in words: a loaded document must keep those of one made new, or what the
// user types there later stays text.
QString numberFormatsOf(const SpreadsheetDocument& document, int sheet);
// What a run leaves behind, in words: whether the document reads as modified, whether an undo is possible, whether
// it has a location, the filter it would be saved with, and whether row heights follow the user's edits.
QString tracesOf(const SpreadsheetDocument& document);
// The title of the document's window, as the window manager shows it.
QString windowTitleOf(const SpreadsheetDocument& document);
// Closes the document as a user would.
void closeDocument(const SpreadsheetDocument& document);

// Every spreadsheet document the office on the pipe holds, in its own order, as the text of its first cell and whether
// the user can see it: "text seen" or "text unseen".
QStringList documentsOf(const QString& pipeName);
// Asks the office on the pipe to end, as closing its last window does; true when it ended.
bool askToEnd(const QString& pipeName);

} // namespace quillmere::inspect
