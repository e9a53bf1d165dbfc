#include "import/run/RowWriter.h"

#include "base/Background.h"

#include <algorithm>

namespace quillmere {

RowWriter::RowWriter(Sheet& sheet, std::stop_token stop, Progress progress)
    : sheet_(sheet)
    , stop_(std::move(stop))
    , progress_(std::move(progress)) {}

namespace {

// The rows from start on that make up one block, already in the office's form.
struct Batch {
    qsizetype start = 0;
    qsizetype count = 0;
    std::unique_ptr<PreparedBlock> block;
};

Batch prepareBatch(const Sheet& sheet, const RowTexts& rows, qsizetype start, qsizetype end) {
    std::vector<QList<QStringView>> pending;
    qsizetype width = 0;
    while (start + qsizetype(pending.size()) < end && qsizetype(pending.size()) < RowWriter::maxBlockRows) {
        auto cells = splitCells(rows[start + qsizetype(pending.size())]);
        const qsizetype newWidth = std::max(width, cells.size());
        if (!pending.empty() && newWidth * qsizetype(pending.size() + 1) > RowWriter::maxBlockCells) {
            break;
        }
        width = newWidth;
        pending.push_back(std::move(cells));
    }
    CellBlock block(width);
    for (const auto& cells : pending) {
        block.addRow(cells);
    }
    return {start, qsizetype(pending.size()), sheet.prepareBlock(block)};
}

} // namespace

bool RowWriter::write(const RowTexts& rows, qint64 firstRow) {
    // Trailing empty rows hold no cell: writing them would only risk running past the sheet's last row.
    qsizetype end = rows.size();
    while (end > 0 && rows[end - 1].isEmpty()) {
        --end;
    }
    Batch batch = prepareBatch(sheet_, rows, 0, end);
    while (batch.count > 0) {
        if (stop_.stop_requested()) {
            return false;
        }
        const qsizetype next = batch.start + batch.count;
        auto following = runInBackground([&, next] { return prepareBatch(sheet_, rows, next, end); });
        if (batch.block->width() > 0) {
            sheet_.writePrepared(0, firstRow + batch.start, *batch.block);
        }
        progress_(next);
        batch = following.get();
    }
    progress_(rows.size());
    return true;
}

} // namespace quillmere
