#pragma once

#include "import/run/ImportError.h"
#include "import/run/ImportRequest.h"
#include "import/run/RunProgress.h"

#include <QStringList>

#include <memory>
#include <stop_token>

namespace quillmere {

class RunContext;
class SpreadsheetOffice;

// Throws ImportError naming the listed paths that cannot be read (the first few, and how many in all).
void checkListedFiles(const QList<FilePath>& paths);

// One import: reads, marks and splits the listed files and writes their rows as text into a new document, all into
// its first sheet (SingleSheetRun) or one new sheet per file (SheetPerFileRun). The document stays open, whatever
// happens.
//
// The words the run's code uses:
// - marked text: a file's text with each delimiter of the column rule replaced by CellSeparator (markColumns), so
//   that rows are cut at line feeds and cells at that one character;
// - working file: a private temporary file the run writes for the office to load, removed when the run ends;
// - flat file: a working file holding a whole spreadsheet document as one XML file, a table for each file;
// - filled after the load: a sheet that the flat file leaves empty and block writes fill once the office has it.
class ImportRun {
public:
    using Progress = RunProgress;

    ImportRun(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop = {});
    ~ImportRun();
    ImportRun(const ImportRun&) = delete;
    ImportRun& operator=(const ImportRun&) = delete;

    // Returns false when stopped early. Throws ImportError. The caller checks the listed files first
    // (checkListedFiles), before any office is reached.
    bool run();
    // What the run tells beside its end, a line each: the characters a saved .ods workbook leaves out.
    QStringList notes() const;

private:
    // Out of sight, so that whoever runs an import compiles against none of the run's working files.
    std::unique_ptr<RunContext> context_;
};

} // namespace quillmere
