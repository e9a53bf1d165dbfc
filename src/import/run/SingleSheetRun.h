#pragma once

#include "import/run/RunContext.h"

namespace quillmere {

// All files into the first sheet of one new document, joined as they stand.
class SingleSheetRun {
public:
    explicit SingleSheetRun(RunContext& context)
        : context_(context) {}

    // False when stopped early. Throws ImportError.
    bool run();

private:
    bool writeIntoNewDocument(const WorkFile& work, const RowsExtent& extent, const RunContext::FileRows& files);
    bool writeMarkedRows(Sheet& sheet, const WorkFile& work, const RowsExtent& extent);

    RunContext& context_;
};

} // namespace quillmere
