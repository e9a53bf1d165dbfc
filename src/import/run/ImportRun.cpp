#include "import/run/ImportRun.h"

#include "import/run/Counted.h"
#include "import/run/ProblemList.h"
#include "import/run/RowWriter.h"
#include "import/text/FileError.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"

#include <algorithm>
#include <chrono>

namespace quillmere {

int ImportRun::FileRows::fileOfRow(qsizetype row) const {
    return firstFile + int(std::upper_bound(firstRows.begin(), firstRows.end(), row) - firstRows.begin()) - 1;
}

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
    : office_(office)
    , request_(std::move(request))
    , progress_(std::move(progress))
    , stop_(std::move(stop))
    , random_(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count())) {}

bool ImportRun::run() {
    const bool complete = request_.layout == SheetLayout::SingleSheet ? runSingleSheet() : runSheetPerFile();
    if (complete) {
        report(1.0);
    }
    return complete;
}

void ImportRun::report(double fraction) {
    const int percent = std::clamp(int(fraction * 100.0), 0, 100);
    if (percent > reported_) {
        reported_ = percent;
        progress_(percent);
    }
}

void ImportRun::reportLoading() {
    progress_(WaitingOnOffice);
}

void ImportRun::fail(int file, const Error& error) const {
    const QString path = file >= 0 ? request_.paths[file].shown : QString();
    throw ImportError(path.isEmpty() ? error.message()
                                     : QStringLiteral("Importing %1 failed.\n%2").arg(path, error.message()));
}

void ImportRun::checkFits(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files,
                          Written written) const {
    if (extent.rows <= capacity.rows && extent.columns <= capacity.columns) {
        return;
    }
    const qsizetype firstMisfit = extent.rows > capacity.rows ? capacity.rows : extent.widestRow;
    const QString outcome = written == Written::Nothing
                                ? QStringLiteral("so nothing was imported.")
                                : QStringLiteral("so nothing of this file was written; the sheets of the other files "
                                                 "stay in the document.");
    fail(files.fileOfRow(firstMisfit),
         Error(QStringLiteral("It needs %1 and %2, but a sheet holds at most %3 and %4, %5")
                   .arg(Counted(extent.rows, "row", "rows"), Counted(extent.columns, "column", "columns"),
                        Counted(capacity.rows, "row", "rows"), Counted(capacity.columns, "column", "columns"),
                        outcome)));
}

bool ImportRun::writeRows(Sheet& sheet, const RowTexts& rows, const FileRows& files, double from, double to) {
    checkFits(measureRows(rows), sheet.capacity(), files, Written::OtherFiles);
    const double total = double(std::max<qsizetype>(rows.size(), 1));
    RowWriter writer(sheet, stop_, [&](qsizetype written) { report(from + (to - from) * double(written) / total); });
    return writer.write(rows, 0);
}

} // namespace quillmere
