#include "import/run/ImportRun.h"
#include "import/text/RowsExtent.h"
#include "import/text/TextReader.h"

#include <memory>

namespace quillmere {
// The office's own import of the working file is many times quicker than writing cells, where it gives the very
// same cells: it drops NUL, and it would cut an overlong cell or stop at a sheet's end.
bool ImportRun::loadsAsText(const MarkedText& text) const {
    const RowsExtent& extent = text.extent;
    const OfficeLimits limits = office_.limits();
    return extent.rows > 0 && extent.rows <= limits.sheet.rows && extent.columns <= limits.textLoadColumns &&
           extent.longestCell <= limits.textLoadCellLength && !text.holdsNul;
}

// The files pass one at a time and a large file piece by piece, so that memory does not grow with the input.
std::optional<MarkedText> ImportRun::writeMarkedText(WorkFile& work, FileRows& files) {
    MarkedTextWriter writer(work, request_.rule, request_.customDelimiter);
    const auto count = int(request_.paths.size());
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

bool ImportRun::runSingleSheet() {
    WorkFile work;
    FileRows files;
    const std::optional<MarkedText> text = writeMarkedText(work, files);
    if (!text) {
        return false;
    }
    return forFile(-1, [&] {
        return (loadsAsText(*text) && loadAsText(work, text->extent, office_.newDocumentSheetNames().front())) ||
               writeIntoNewDocument(work, text->extent, files);
    });
}

bool ImportRun::loadAsText(const WorkFile& work, const RowsExtent& extent, const QString& sheetName) {
    reportLoading();
    return office_.openTextDocument(work.path(), CellSeparator, extent.rows, extent.columns, sheetName) != nullptr;
}

bool ImportRun::writeIntoNewDocument(const WorkFile& work, const RowsExtent& extent, const FileRows& files) {
    const auto document = office_.openNewDocument();
    const std::vector<QString> defaults = sheetNames(*document);
    const auto sheet = document->sheetAt(0);
    try {
        checkFits(extent, sheet->capacity(), files, Written::Nothing);
    } catch (const ImportError&) {
        // Nothing was written yet: the empty document would be litter.
        document->close();
        throw;
    }
    if (!writeMarkedRows(*sheet, work, extent)) {
        return false;
    }
    for (std::size_t i = 1; i < defaults.size(); ++i) {
        document->removeSheet(defaults[i]);
    }
    return true;
}

// Block by block, as the working file is read back: each piece's last row is empty and stands for the first row
// of the next piece.
bool ImportRun::writeMarkedRows(Sheet& sheet, const WorkFile& work, const RowsExtent& extent) {
    MarkedTextReader reader(work);
    const double total = double(std::max<qsizetype>(extent.rows, 1));
    qint64 firstRow = 0;
    while (firstRow < extent.rows) {
        QString lines = reader.nextLines();
        if (lines.isEmpty()) {
            break;
        }
        const qsizetype count = lines.count(u'\n');
        const RowTexts rows = SplitRows(std::move(lines));
        RowWriter writer(sheet, stop_, [&](qsizetype written) {
            report(readShare + (1.0 - readShare) * double(std::min(firstRow + written, extent.rows)) / total);
        });
        if (!writer.write(rows, firstRow)) {
            return false;
        }
        firstRow += count;
    }
    return true;
}

} // namespace quillmere
