#include "import/RowWriter.h"

#include <algorithm>

namespace quillmere {

RowWriter::RowWriter(Sheet& sheet, std::stop_token stop, Progress progress)
    : sheet_(sheet)
    , stop_(std::move(stop))
    , progress_(std::move(progress))
{
}

bool RowWriter::write(const RowTexts& rows, qint64 firstRow)
{
    // Trailing empty rows hold no cell: writing them would only risk running past the sheet's last row.
    qsizetype end = rows.size();
    while (end > 0 && rows[end - 1].isEmpty()) {
        --end;
    }
    std::vector<QList<QStringView>> pending;
    qsizetype start = 0;
    while (start < end) {
        if (stop_.stop_requested()) {
            return false;
        }
        pending.clear();
        qsizetype width = 0;
        while (start + qsizetype(pending.size()) < end && qsizetype(pending.size()) < maxBlockRows) {
            auto cells = SplitCells(rows[start + qsizetype(pending.size())]);
            const qsizetype newWidth = std::max(width, cells.size());
            if (!pending.empty() && newWidth * qsizetype(pending.size() + 1) > maxBlockCells) {
                break;
            }
            width = newWidth;
            pending.push_back(std::move(cells));
        }
        CellBlock block(width);
        for (const auto& cells : pending) {
            block.addRow(cells);
        }
        if (width > 0) {
            sheet_.writeBlock(0, firstRow + start, block);
        }
        start += qsizetype(pending.size());
        progress_(start);
    }
    progress_(rows.size());
    return true;
}

RowsExtent measureRows(const RowTexts& rows)
{
    RowsExtent extent;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const qsizetype cells = countCells(rows[r]);
        if (cells > 0) {
            extent.rows = r + 1;
        }
        if (cells > extent.columns) {
            extent.columns = cells;
            extent.widestRow = r;
        }
    }
    return extent;
}

} // namespace quillmere
