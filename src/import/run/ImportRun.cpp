#include "import/run/ImportRun.h"

#include "import/run/Counted.h"
#include "import/run/ProblemList.h"
#include "import/run/SheetPerFileRun.h"
#include "import/run/SingleSheetRun.h"
#include "import/text/FileError.h"
#include "import/text/TextReader.h"

namespace quillmere {

void checkListedFiles(const QList<FilePath>& paths) {
    QStringList problems;
    for (const FilePath& path : paths) {
        try {
            checkReadable(path);
        } catch (const FileError& e) {
            problems << e.message();
        }
    }
    if (problems.isEmpty()) {
        return;
    }
    const QString heading = problems.size() == 1 ? QStringLiteral("This file cannot be read, so nothing was imported:")
                                                 : QStringLiteral("%1 cannot be read, so nothing was imported:")
                                                       .arg(Counted(problems.size(), "file", "files"));
    throw ImportError(ProblemList(heading, problems));
}

ImportRun::ImportRun(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop)
    : steps_(office, std::move(request), std::move(progress), std::move(stop)) {}

bool ImportRun::run() {
    const bool complete = steps_.request().layout == SheetLayout::SingleSheet ? SingleSheetRun(steps_).run()
                                                                              : SheetPerFileRun(steps_).run();
    // Also what a stopped run wrote is the user's, to keep or to close.
    steps_.forFile(-1, [&] { steps_.handOver(); });
    if (complete) {
        steps_.report(1.0);
    }
    return complete;
}

} // namespace quillmere
