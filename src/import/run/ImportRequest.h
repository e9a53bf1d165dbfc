#pragma once

#include "base/ColumnRule.h"
#include "base/FilePath.h"

#include <QString>

namespace quillmere {

// Where the files go: all into the first sheet, or one new sheet per file.
enum class SheetLayout { SingleSheet, SheetPerFile };

// Everything one import run needs, taken from the window once, when the run starts.
struct ImportRequest {
    QList<FilePath> paths;
    SheetLayout layout = SheetLayout::SingleSheet;
    ColumnRule rule = ColumnRule::NoSplit;
    QString customDelimiter;
};

} // namespace quillmere
