#pragma once

#include "base/ColumnRule.h"
#include "base/FilePath.h"

#include <QString>

namespace quillmere {

// Where the files go: all into the first sheet, or one new sheet per file.
enum class SheetLayout { SingleSheet, SheetPerFile };

// Everything one import run needs, taken from the window or the command line once, when the run starts.
struct ImportRequest {
    QList<FilePath> paths;
    SheetLayout layout = SheetLayout::SingleSheet;
    ColumnRule rule = ColumnRule::NoSplit;
    QString customDelimiter;
    // The file the finished document is saved in, ending in ".ods" or ".xlsx"; empty: it goes to the user instead.
    QString output;
};

// Where a run writes the document before it replaces the output with it: beside the output, hidden, with the same
// ending, so that the output is replaced only by a complete file.
QString partialOutputPath(const QString& output);

} // namespace quillmere
