#pragma once

#include "import/Error.h"
#include "import/Spreadsheet.h"
#include "import/run/ImportRequest.h"
#include "import/run/MarkedTextFile.h"
#include "import/run/RowWriter.h"
#include "import/run/WorkFile.h"
#include "import/text/ColumnSplitting.h"

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
    // Percent done, 0 to 100, never going back; 100 only once the last cells are written. WaitingOnOffice while the
    // office loads a whole file, which it tells nothing about until it is done.
    using Progress = std::function<void(int percent)>;
    static constexpr int WaitingOnOffice = -1;

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
    // Every listed file's text, joined as they stand, marked into the working file file by file and piece by
    // piece; nullopt when stopped.
    std::optional<MarkedText> writeMarkedText(WorkFile& work, FileRows& files);
    // Whether the office's own import of the marked text gives the very cells that writing them gives.
    bool loadsAsText(const MarkedText& text) const;
    // A new document whose one sheet, named sheetName, holds the text through the office's own import. False when
    // the office could not take the text whole that way.
    bool loadAsText(const WorkFile& work, const RowsExtent& extent, const QString& sheetName);
    bool writeIntoNewDocument(const WorkFile& work, const RowsExtent& extent, const FileRows& files);
    bool writeMarkedRows(Sheet& sheet, const WorkFile& work, const RowsExtent& extent);
    bool writeRows(Sheet& sheet, const RowTexts& rows, const FileRows& files, double from, double to);
    // What stands in the document when a file turns out not to fit its sheet.
    enum class Written { Nothing, OtherFiles };
    // Throws ImportError naming the file whose rows do not fit the sheet, and saying what was imported.
    void checkFits(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files,
                   Written written) const;

    // One sheet per file: the sheets are written into a flat spreadsheet file that the office loads at once.
    // A file whose text that form cannot carry, or that block writes fill sooner, gets an empty table there
    // and its cells after the load.
    std::vector<QString> namesOfSheets(const std::vector<QString>& defaults);
    RowTexts readRows(int file) const;
    bool loadOneFileAsText(const QString& name);
    bool writeFlatFile(WorkFile& work, const std::vector<QString>& names, std::vector<int>& later);
    bool fillLater(const SpreadsheetDocument& document, const std::vector<int>& later);
    // The same sheets, inserted and written one by one into a new document, where the office has no flat load.
    bool insertSheetsOneByOne(const std::vector<QString>& names);

    // Runs a step for one listed file: a failure that names no file yet gets this file's name.
    template <typename Step>
    decltype(auto) forFile(int file, Step&& step) const {
        try {
            return step();
        } catch (const ImportError&) {
            throw;
        } catch (const Error& e) {
            fail(file, e);
        }
    }
    void report(double fraction);
    // Tells that the office loads a whole file, for which it gives no progress.
    void reportLoading();
    [[noreturn]] void fail(int file, const Error& error) const;

    SpreadsheetOffice& office_;
    ImportRequest request_;
    Progress progress_;
    std::stop_token stop_;
    std::mt19937 random_;
    int reported_ = 0;
    // Reading is quick beside writing into the office: it gets this share of the bar.
    static constexpr double readShare = 0.1;
};

} // namespace quillmere
