#include "app/ProgramEnd.h"

#include "import/job/ImportJob.h"
#include "import/workfile/WorkFile.h"

#include <cstdlib>

namespace quillmere::app {

void endProgram(ImportJob& job, int status, std::chrono::milliseconds limit) {
    job.waitUntilIdle(limit);
    removeWorkFiles();
    // Not exit(): no destructor may wait on the office's bridge.
    std::quick_exit(status);
}

} // namespace quillmere::app
