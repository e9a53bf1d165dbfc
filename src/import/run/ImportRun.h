#pragma once

#include "import/run/RunSteps.h"

#include <stop_token>

namespace quillmere {

// Throws ImportError naming the listed paths that cannot be read (the first few, and how many in all).
void checkListedFiles(const QList<FilePath>& paths);

// One import: reads, marks and splits the listed files and writes their rows as text into a new document, all into
// its first sheet (SingleSheetRun) or one new sheet per file (SheetPerFileRun). The document stays open, whatever
// happens.
class ImportRun {
public:
    using Progress = RunProgress;

    ImportRun(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop = {});

    // Returns false when stopped early. Throws ImportError. The caller checks the listed files first
    // (checkListedFiles), before any office is reached.
    bool run();

private:
    RunSteps steps_;
};

} // namespace quillmere
