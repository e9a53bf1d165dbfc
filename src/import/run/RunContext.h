#pragma once

#include "import/Spreadsheet.h"
#include "import/run/ImportError.h"
#include "import/run/ImportRequest.h"
#include "import/run/LeftOutCharacters.h"
#include "import/run/RunProgress.h"
#include "import/run/SheetFit.h"
#include "import/text/ColumnSplitting.h"
#include "import/text/XmlCharacters.h"
#include "import/workfile/MarkedTextFile.h"
#include "import/workfile/WorkFile.h"

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

namespace quillmere {

// What both layouts of a run share: the office, the request, the steps they are both made of, the run's progress and
// stop, its failures, which name the file they came from, the characters it leaves out, and its document until it is
// handed over or saved.
class RunContext {
    Q_DECLARE_TR_FUNCTIONS(RunContext)

public:
    using Progress = RunProgress;
    // Reading is quick beside writing into the office: it gets this share of the bar.
    static constexpr double readShare = 0.1;

    RunContext(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop);

    SpreadsheetOffice& office() const { return office_; }
    const ImportRequest& request() const { return request_; }
    int fileCount() const { return int(request_.paths.size()); }
    const std::stop_token& stop() const { return stop_; }

    // Throws ImportError naming the file whose rows, or one of whose cells, do not fit the sheet (findMisfit).
    void checkFits(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files) const;

    // The listed files' text joined as they stand, each file read once and marked into the working file piece by
    // piece, so that memory does not grow with the input; nullopt when stopped.
    std::optional<MarkedText> writeMarkedText(WorkFile& work, FileRows& files);
    // Where the office loads a document whole and where blocks are written, for both layouts: whether the office's
    // own import of the marked text gives the very cells that writing them gives, and whether a file's table goes
    // into the flat file the office loads rather than being written after the load.
    bool loadsAsText(const MarkedText& text) const;
    bool loadsAsFlatTable(const RowsExtent& extent, const XmlExclusions& exclusions) const;

    // The run's document is opened or loaded by one of these, and kept here until the run hands it over.
    SpreadsheetDocument& openNewDocument();
    // A new document whose one sheet, named sheetName, holds the working file through the office's own text import.
    // False when the office could not take the text whole that way.
    bool loadAsText(const WorkFile& work, const RowsExtent& extent, const QString& sheetName);
    // A new document holding the tables of a flat spreadsheet file; null when the office could not load it whole.
    SpreadsheetDocument* loadSpreadsheetFile(const WorkFile& work);
    // Ends with the run's document, if it has one: gives it to the user, or, where the request names an output, saves
    // a complete run there and closes it.
    void finish(bool complete);

    // Runs a step for one listed file: a failure that names no file yet gets this file's name.
    template <typename Step>
    decltype(auto) forFile(int file, Step&& step) const {
        return guarded(file, std::forward<Step>(step));
    }
    // Runs a step about no one file, such as opening the document: its failure ends the run as it stands.
    template <typename Step>
    decltype(auto) forRun(Step&& step) const {
        return guarded(std::nullopt, std::forward<Step>(step));
    }
    LeftOutCharacters& leftOut() { return leftOut_; }
    const LeftOutCharacters& leftOut() const { return leftOut_; }

    void report(double fraction);
    // Tells that the office loads a whole file, for which it gives no progress.
    void reportLoading();
    // Throws ImportError with the error's message, under the file's name where one is given.
    [[noreturn]] void fail(std::optional<int> file, const Error& error) const;

private:
    template <typename Step>
    decltype(auto) guarded(std::optional<int> file, Step&& step) const {
        try {
            return step();
        } catch (const ImportError&) {
            throw;
        } catch (const Error& e) {
            fail(file, e);
        }
    }

    SpreadsheetOffice& office_;
    ImportRequest request_;
    Progress progress_;
    std::stop_token stop_;
    int reported_ = 0;
    LeftOutCharacters leftOut_;
    std::unique_ptr<SpreadsheetDocument> document_;
};

} // namespace quillmere
