#pragma once

#include "import/Spreadsheet.h"
#include "testsupport/HostileCases.h"

#include <QStringList>

namespace quillmere::testing {

// Runs the case through the import run over a real office and holds the document it leaves against the cells the
// import core's own reading, marking and splitting give without the office. Gives how they differ, one line per
// difference (the first few), or nothing; counts in fileLoads the documents that came through the office's own
// import of a whole file.
QStringList differences(SpreadsheetOffice& office, const HostileCase& c, int& fileLoads);

} // namespace quillmere::testing
