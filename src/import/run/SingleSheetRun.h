#pragma once

#include "import/run/RunContext.h"

namespace quillmere {

// All files into one sheet of one new document, joined as they stand: the document's first sheet as the office names
// it, or, given a name, a sheet of that name in place of the document's own.
class SingleSheetRun {
public:
    explicit SingleSheetRun(RunContext& context, QString sheetName = {})
        : context_(context)
        , sheetName_(std::move(sheetName)) {}

    // False when stopped early. Throws ImportError.
    bool run();

private:
    bool writeIntoNewDocument(const WorkFile& work, const RowsExtent& extent, const FileRows& files);
    bool writeMarkedRows(Sheet& sheet, const WorkFile& work, const RowsExtent& extent);

    QString sheetName() const;

    RunContext& context_;
    const QString sheetName_;
};

} // namespace quillmere
