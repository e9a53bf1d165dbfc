#include "import/run/ImportRun.h"

#include "import/run/ProblemList.h"
#include "import/run/RunContext.h"
#include "import/run/SheetPerFileRun.h"
#include "import/run/SingleSheetRun.h"
#include "import/text/FileError.h"
#include "import/text/TextReader.h"

#include <QCoreApplication>

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
    // One file has a sentence of its own and counts go through %n, so that English needs no translation file.
    const QString heading =
        problems.size() == 1
            ? QCoreApplication::translate("ImportRun", "This file cannot be read, so nothing was imported:")
            : QCoreApplication::translate("ImportRun", "%n files cannot be read, so nothing was imported:", nullptr,
                                          int(problems.size()));
    throw ImportError(problemList(heading, problems));
}

ImportRun::ImportRun(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop)
    : context_(std::make_unique<RunContext>(office, std::move(request), std::move(progress), std::move(stop))) {}

ImportRun::~ImportRun() = default;

bool ImportRun::run() {
    RunContext& context = *context_;
    const bool complete = context.request().layout == SheetLayout::SingleSheet ? SingleSheetRun(context).run()
                                                                               : SheetPerFileRun(context).run();
    // Also what a stopped run wrote is the user's, to keep or to close; only a complete run is saved.
    context.forRun([&] { context.finish(complete); });
    if (complete) {
        context.report(1.0);
    }
    return complete;
}

QStringList ImportRun::notes() const {
    return context_->leftOut().notes(context_->request());
}

} // namespace quillmere
