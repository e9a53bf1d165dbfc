#pragma once

#include "cli/CommandImport.h"

namespace quillmere::cli {

// The command's makers: an .xlsx workbook is written with no office at all, an .ods one by a hidden office of the
// program's own.
std::unique_ptr<WorkbookMaker> workbookMakerFor(const ImportRequest& request);

} // namespace quillmere::cli
