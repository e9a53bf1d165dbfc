#pragma once

#include "import/text/ColumnSplitting.h"

namespace quillmere {

// How much room rows need: the number of rows up to the last one with a cell, and the most cells in a row,
// with the index of the first row that has that many; and the length of the longest cell, with the index of the first
// row that holds one that long.
struct RowsExtent {
    qsizetype rows = 0;
    qsizetype columns = 0;
    qsizetype widestRow = -1;
    qsizetype longestCell = 0;
    qsizetype longestCellRow = -1;
};

// The extent of marked text without carriage returns, measured as it passes in pieces of any size.
class RowsMeasure {
public:
    void add(QStringView text);
    // The extent of everything added so far.
    RowsExtent extent() const;

private:
    void endCell(RowsExtent& extent) const;
    void endRow(RowsExtent& extent) const;

    RowsExtent extent_;
    qsizetype row_ = 0;
    qsizetype rowLength_ = 0;
    qsizetype separators_ = 0;
    qsizetype cellLength_ = 0;
};

RowsExtent measureRows(const RowTexts& rows);

} // namespace quillmere
