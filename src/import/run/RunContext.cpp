#include "import/run/RunContext.h"

#include "import/run/OutputFile.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"

#include <algorithm>
#include <memory>

namespace quillmere {

RunContext::RunContext(SpreadsheetOffice& office, ImportRequest request, Progress progress, std::stop_token stop)
    : office_(office)
    , request_(std::move(request))
    , progress_(std::move(progress))
    , stop_(std::move(stop))
    , leftOut_(request_.paths.size()) {}

void RunContext::report(double fraction) {
    const int percent = std::clamp(int(fraction * 100.0), 0, 100);
    if (percent > reported_) {
        reported_ = percent;
        progress_(percent);
    }
}

void RunContext::reportLoading() {
    progress_(WaitingOnOffice);
}

void RunContext::fail(std::optional<int> file, const Error& error) const {
    const QString path = file ? request_.paths[*file].shown : QString();
    throw ImportError(path.isEmpty() ? error.message() : tr("Importing %1 failed.\n%2").arg(path, error.message()));
}

void RunContext::checkFits(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files) const {
    if (const std::optional<Misfit> misfit = findMisfit(extent, capacity, files)) {
        fail(misfit->file, Error(misfit->message));
    }
}

std::optional<MarkedText> RunContext::writeMarkedText(WorkFile& work, FileRows& files) {
    MarkedTextWriter writer(work, request_.rule, request_.customDelimiter);
    const int count = fileCount();
    for (int i = 0; i < count; ++i) {
        files.firstRows.push_back(writer.lineFeeds());
        writer.startFile();
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
    MarkedText text = writer.finish();
    for (int i = 0; i < count; ++i) {
        leftOut_.keep(i, writer.exclusions()[std::size_t(i)]);
    }
    return text;
}

// The office's own import of the working file is many times quicker than writing cells, where it gives the very
// same cells: it drops NUL, and it would cut an overlong cell or stop at a sheet's end.
bool RunContext::loadsAsText(const MarkedText& text) const {
    const RowsExtent& extent = text.extent;
    const OfficeLimits limits = office_.limits();
    return extent.rows > 0 && extent.rows <= limits.sheet.rows && extent.columns <= limits.textLoadColumns &&
           extent.longestCell <= limits.textLoadCellLength && !text.holdsNul;
}

// The flat file cannot carry what XML cannot hold, and above this many cells in a file, block writes after the load
// fill its sheet sooner.
bool RunContext::loadsAsFlatTable(const RowsExtent& extent, const XmlExclusions& exclusions) const {
    constexpr qsizetype flatCellsPerFile = 200'000;
    return extent.rows * extent.columns <= flatCellsPerFile && exclusions.count() == 0;
}

SpreadsheetDocument& RunContext::openNewDocument() {
    document_ = office_.openNewDocument();
    return *document_;
}

bool RunContext::loadAsText(const WorkFile& work, const RowsExtent& extent, const QString& sheetName) {
    reportLoading();
    document_ = office_.openTextDocument(work.path(), CellSeparator, extent.rows, extent.columns, sheetName);
    return document_ != nullptr;
}

SpreadsheetDocument* RunContext::loadSpreadsheetFile(const WorkFile& work) {
    reportLoading();
    document_ = office_.openSpreadsheetFile(work.path());
    return document_.get();
}

void RunContext::finish(bool complete) {
    if (!document_) {
        return;
    }
    if (request_.output.isEmpty()) {
        document_->handOver();
        return;
    }
    // A run asked to stop after its last step saves nothing either.
    if (complete && !stop_.stop_requested()) {
        OutputFile(request_.output).save(*document_);
    }
    document_->close();
}

} // namespace quillmere
