#pragma once

#include "base/ColumnRule.h"
#include "base/FilePath.h"

#include <QString>

namespace quillmere {

// Where the files go: all into the first sheet, or one new sheet per file.
enum class SheetLayout { SingleSheet, SheetPerFile };

// The form a workbook is saved in, by its name's ending: ".ods" or ".xlsx" in any letter case.
enum class WorkbookForm { None, OpenDocument, OfficeOpenXml };
WorkbookForm workbookForm(const QString& path);

// Everything one import run needs, taken from the window or the command line once, when the run starts.
struct ImportRequest {
    QList<FilePath> paths;
    SheetLayout layout = SheetLayout::SingleSheet;
    ColumnRule rule = ColumnRule::NoSplit;
    QString customDelimiter;
    // The file the finished document is saved in, ending in ".ods" or ".xlsx"; empty: it goes to the user instead.
    QString output;
};

} // namespace quillmere
