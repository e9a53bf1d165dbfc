#pragma once

#include "import/ColumnSplitting.h"
#include "import/Error.h"
#include "import/ImportRequest.h"
#include "import/RowWriter.h"
#include "import/Spreadsheet.h"

#include <functional>
#include <optional>
#include <random>
#include <stop_token>

namespace quillmere {

// An import run failed; the message says what failed and for which file.
class ImportError : public Error {
public:
    using Error::Error;
};

// Throws ImportError naming the listed paths that cannot be read (the first few, and how many in all).
void checkListedFiles(const QList<FilePath>& paths);

// One import: reads, marks and splits the listed files and writes their rows as text into a new document,
// all into its first sheet or one new sheet per file. The document stays open, whatever happens.
class ImportRun {
public:
    // Percent done, 0 to 100, never going back; 100 only once the last cells are written.
    using Progress = std::function<void(int percent)>;

    ImportRun(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop = {});

    // Returns false when stopped early. Throws ImportError. The caller checks the listed files first
    // (checkListedFiles), before any office is reached.
    bool run();

private:
    bool runSingleSheet();
    bool runSheetPerFile();
    // Which listed file the rows of one write came from: file firstFile + k starts at row firstRows[k].
    struct FileRows {
        int firstFile = 0;
        std::vector<qsizetype> firstRows;
        int fileOfRow(qsizetype row) const;
    };
    // Every listed file's text, joined as they stand; nullopt when stopped.
    std::optional<QString> readJoined(FileRows& files);
    // False when the office could not take the text whole through its own import.
    bool loadAsText(const QString& marked, const RowsExtent& extent);
    bool writeIntoNewDocument(const RowTexts& rows, const FileRows& files);
    bool writeRows(Sheet& sheet, const RowTexts& rows, const FileRows& files, double from, double to);
    void report(double fraction);
    [[noreturn]] void fail(int file, const Error& error) const;

    SpreadsheetOffice& office_;
    ImportRequest request_;
    Progress progress_;
    std::stop_token stop_;
    std::mt19937 random_;
    int reported_ = 0;
};

} // namespace quillmere
