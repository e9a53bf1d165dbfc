#pragma once

#include "import/ColumnRule.h"

#include <QString>
#include <QStringList>

namespace quillmere {

// Everything one import run needs, taken from the window once, when the run starts.
struct ImportRequest {
    QStringList paths;
    SheetLayout layout = SheetLayout::SingleSheet;
    ColumnRule rule = ColumnRule::NoSplit;
    QString customDelimiter;
};

} // namespace quillmere
