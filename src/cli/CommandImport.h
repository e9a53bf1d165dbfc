#pragma once

#include "cli/Arguments.h"
#include "import/Spreadsheet.h"
#include "import/run/ImportRequest.h"

#include <functional>
#include <memory>

namespace quillmere::cli {

// Where the command's workbook is made for one request: an office of the program's own, or a writer of the form.
// Whatever it starts ends when the object goes.
class WorkbookMaker {
public:
    virtual ~WorkbookMaker() = default;
    // The office the run writes into, once; throws Error.
    virtual std::unique_ptr<SpreadsheetOffice> connect() = 0;
};

// Makes the maker for a request whose files are listed and whose output folder can be written; throws Error.
using WorkbookMakerFor = std::function<std::unique_ptr<WorkbookMaker>(const ImportRequest& request)>;

// Runs the import the window's button runs, with no window, and saves the document where the arguments say:
// progress on the terminal when there is one, each refusal as a line on standard error. Ends the run as stopped on
// Ctrl+C or at logout, leaving no output. The program's exit status: 0 once the workbook is saved, 1 when it is not.
int importFromCommandLine(const Arguments& arguments, const WorkbookMakerFor& makerFor);

} // namespace quillmere::cli
