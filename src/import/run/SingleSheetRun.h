#pragma once

#include "import/run/RunSteps.h"

namespace quillmere {

// All files into the first sheet of one new document, joined as they stand.
class SingleSheetRun {
public:
    explicit SingleSheetRun(RunSteps& steps)
        : steps_(steps) {}

    // False when stopped early. Throws ImportError.
    bool run();

private:
    bool writeIntoNewDocument(const WorkFile& work, const RowsExtent& extent, const RunSteps::FileRows& files);
    bool writeMarkedRows(Sheet& sheet, const WorkFile& work, const RowsExtent& extent);

    RunSteps& steps_;
};

} // namespace quillmere
