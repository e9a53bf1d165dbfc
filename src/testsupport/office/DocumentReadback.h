#pragma once

#include "import/Spreadsheet.h"
#include "testsupport/DocumentContents.h"

#include <QString>
#include <QStringList>

// What a document opened through SpreadsheetConnection really holds, read back from the office: for the tests and
// the benchmark, which must look at the office's own cells.
namespace quillmere::inspect {

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
// What the spreadsheet file at path holds, loaded hidden by the office on the pipe, read, and closed again.
DocumentContents readSavedFile(const QString& pipeName, const QString& path);
// Asks the office on the pipe to end, as closing its last window does; true when it ended.
bool askToEnd(const QString& pipeName);

} // namespace quillmere::inspect
