#pragma once

#include "import/ColumnRule.h"
#include "import/FilePath.h"

#include <QString>

namespace quillmere {

// Everything one import run needs, taken from the window once, when the run starts.
struct ImportRequest {
    QList<FilePath> paths;
    SheetLayout layout = SheetLayout::SingleSheet;
    ColumnRule rule = ColumnRule::NoSplit;
    QString customDelimiter;
};

} // namespace quillmere
