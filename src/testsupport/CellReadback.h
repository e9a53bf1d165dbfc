#pragma once

#include "import/Spreadsheet.h"

#include <QString>

#include <ostream>
#include <vector>

// What a document opened through SpreadsheetConnection really holds, read back from the office:
// for the tests and the benchmark, which must look at the office's own cells.
namespace quillmere::inspect {

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

bool canUndo(const SpreadsheetDocument& document);
// The filter the document would be saved with, empty when none is set.
QString saveFilter(const SpreadsheetDocument& document);
bool hasLocation(const SpreadsheetDocument& document);
// Closes the document as a user would.
void closeDocument(const SpreadsheetDocument& document);

} // namespace quillmere::inspect
