#pragma once

#include "import/Spreadsheet.h"
#include "import/text/ColumnSplitting.h"

#include <functional>
#include <stop_token>

namespace quillmere {

// Writes row texts into a sheet from a given row on, each row's cells from column 0, in bounded rectangular
// blocks: the same cells as writing every cell of every row one by one. The caller's thread writes each block while a
// thread of the background pool prepares the next.
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

} // namespace quillmere
