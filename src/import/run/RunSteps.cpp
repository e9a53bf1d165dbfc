#include "import/run/RunSteps.h"

#include "import/run/Counted.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"

#include <algorithm>
#include <memory>

namespace quillmere {

int RunSteps::FileRows::fileOfRow(qsizetype row) const {
    return firstFile + int(std::upper_bound(firstRows.begin(), firstRows.end(), row) - firstRows.begin()) - 1;
}

RunSteps::RunSteps(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop)
    : office_(office)
    , request_(std::move(request))
    , progress_(std::move(progress))
    , stop_(std::move(stop)) {}

void RunSteps::report(double fraction) {
    const int percent = std::clamp(int(fraction * 100.0), 0, 100);
    if (percent > reported_) {
        reported_ = percent;
        progress_(percent);
    }
}

void RunSteps::reportLoading() {
    progress_(WaitingOnOffice);
}

void RunSteps::fail(int file, const Error& error) const {
    const QString path = file >= 0 ? request_.paths[file].shown : QString();
    throw ImportError(path.isEmpty() ? error.message()
                                     : QStringLiteral("Importing %1 failed.\n%2").arg(path, error.message()));
}

void RunSteps::checkFits(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files,
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

std::optional<MarkedText> RunSteps::writeMarkedText(WorkFile& work, FileRows& files) {
    MarkedTextWriter writer(work, request_.rule, request_.customDelimiter);
    const int count = fileCount();
    for (int i = 0; i < count; ++i) {
        files.firstRows.push_back(writer.lineFeeds());
        const auto stream = forFile(i, [&] { return std::make_unique<TextFileStream>(request_.paths[i]); });
        for (;;) {
            if (stop_.stop_requested()) {
                return std::nullopt;
            }
            const QString piece = forFile(i, [&] { return stream->next(); });
            if (piece.isEmpty()) {
                break;
            }
            writer.add(piece);
            report(readShare * (i + stream->fractionRead()) / count);
        }
    }
    return writer.finish();
}

// The office's own import of the working file is many times quicker than writing cells, where it gives the very
// same cells: it drops NUL, and it would cut an overlong cell or stop at a sheet's end.
bool RunSteps::loadsAsText(const MarkedText& text) const {
    const RowsExtent& extent = text.extent;
    const OfficeLimits limits = office_.limits();
    return extent.rows > 0 && extent.rows <= limits.sheet.rows && extent.columns <= limits.textLoadColumns &&
           extent.longestCell <= limits.textLoadCellLength && !text.holdsNul;
}

SpreadsheetDocument& RunSteps::openNewDocument() {
    document_ = office_.openNewDocument();
    return *document_;
}

bool RunSteps::loadAsText(const WorkFile& work, const RowsExtent& extent, const QString& sheetName) {
    reportLoading();
    document_ = office_.openTextDocument(work.path(), CellSeparator, extent.rows, extent.columns, sheetName);
    return document_ != nullptr;
}

SpreadsheetDocument* RunSteps::loadSpreadsheetFile(const WorkFile& work) {
    reportLoading();
    document_ = office_.openSpreadsheetFile(work.path());
    return document_.get();
}

void RunSteps::handOver() {
    if (document_) {
        document_->handOver();
    }
}

} // namespace quillmere
