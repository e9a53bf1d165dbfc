#pragma once

#include "cli/Arguments.h"

namespace quillmere::cli {

// Runs the import the window's button runs, with no window, into a hidden office of its own, and saves the
// document where the arguments say: progress on the terminal when there is one, each refusal as a line on standard
// error. Ends the run as stopped on Ctrl+C or at logout, leaving no output. The program's exit status: 0 once the
// workbook is saved, 1 when it is not.
int importFromCommandLine(const Arguments& arguments);

} // namespace quillmere::cli
