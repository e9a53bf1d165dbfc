#pragma once

#include "import/ColumnSplitting.h"
#include "import/Spreadsheet.h"

#include <functional>
#include <stop_token>

namespace quillmere {

// Writes row texts into a sheet from a given row on, each row's cells from column 0, in bounded rectangular
// blocks: the same cells as writing every cell of every row one by one.
class RowWriter {
public:
    // Called after each block with the number of rows written so far.
    using Progress = std::function<void(qsizetype rowsWritten)>;

    RowWriter(Sheet& sheet, std::stop_token stop, Progress progress);

    // Returns false when stopped before all rows were written.
    bool write(const RowTexts& rows, qint64 firstRow);

    static constexpr qsizetype maxBlockRows = 10'000;
    static constexpr qsizetype maxBlockCells = 100'000;

private:
    Sheet& sheet_;
    std::stop_token stop_;
    Progress progress_;
};

// How much room rows need: the number of rows up to the last one with a cell, and the most cells in a row,
// with the index of the first row that has that many; and the length of the longest cell.
struct RowsExtent {
    qsizetype rows = 0;
    qsizetype columns = 0;
    qsizetype widestRow = -1;
    qsizetype longestCell = 0;
};
RowsExtent measureRows(const RowTexts& rows);

} // namespace quillmere
