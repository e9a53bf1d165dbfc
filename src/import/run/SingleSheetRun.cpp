#include "import/run/SingleSheetRun.h"

#include "import/run/RowWriter.h"

namespace quillmere {

// Each file is read once, into the working file. The office's own text import loads it where that gives the very
// cells; otherwise its rows are written block by block into a new document.
bool SingleSheetRun::run() {
    WorkFile work;
    FileRows files;
    const std::optional<MarkedText> text = context_.writeMarkedText(work, files);
    if (!text) {
        return false;
    }
    return context_.forRun([&] {
        return (context_.loadsAsText(*text) && context_.loadAsText(work, text->extent, sheetName())) ||
               writeIntoNewDocument(work, text->extent, files);
    });
}

bool SingleSheetRun::writeIntoNewDocument(const WorkFile& work, const RowsExtent& extent, const FileRows& files) {
    context_.checkFits(extent, context_.office().limits().sheet, files);
    SpreadsheetDocument& document = context_.openNewDocument();
    const std::vector<QString> defaults = sheetNames(document);
    // A named sheet goes first, where a writer that streams its sheets takes it, and the document's own go after; with
    // no name, the first of them is the one written.
    if (!sheetName_.isEmpty()) {
        document.insertSheet(sheetName_, 0);
    }
    if (!writeMarkedRows(*document.sheetAt(0), work, extent)) {
        return false;
    }
    for (std::size_t i = sheetName_.isEmpty() ? 1 : 0; i < defaults.size(); ++i) {
        document.removeSheet(defaults[i]);
    }
    return true;
}

QString SingleSheetRun::sheetName() const {
    return sheetName_.isEmpty() ? context_.office().newDocumentSheetNames().front() : sheetName_;
}

// Block by block, as the working file is read back: each piece's last row is empty and stands for the first row
// of the next piece.
bool SingleSheetRun::writeMarkedRows(Sheet& sheet, const WorkFile& work, const RowsExtent& extent) {
    MarkedTextReader reader(work);
    const double total = double(std::max<qsizetype>(extent.rows, 1));
    const double share = 1.0 - RunContext::readShare;
    qint64 firstRow = 0;
    while (firstRow < extent.rows) {
        QString lines = reader.nextLines();
        if (lines.isEmpty()) {
            break;
        }
        const qsizetype count = lines.count(u'\n');
        const RowTexts rows = splitRows(std::move(lines));
        RowWriter writer(sheet, context_.stop(), [&](qsizetype written) {
            context_.report(RunContext::readShare + share * double(std::min(firstRow + written, extent.rows)) / total);
        });
        if (!writer.write(rows, firstRow)) {
            return false;
        }
        firstRow += count;
    }
    return true;
}

} // namespace quillmere
