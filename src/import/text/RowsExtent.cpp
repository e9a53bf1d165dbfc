#include "import/text/RowsExtent.h"

namespace quillmere {

void RowsMeasure::add(QStringView text) {
    for (const QChar c : text) {
        if (c == u'\n') {
            endRow(extent_);
            ++row_;
            rowLength_ = separators_ = cellLength_ = 0;
            continue;
        }
        ++rowLength_;
        if (c == CellSeparator) {
            endCell(extent_);
            cellLength_ = 0;
            ++separators_;
        } else {
            ++cellLength_;
        }
    }
}

void RowsMeasure::endCell(RowsExtent& extent) const {
    if (cellLength_ > extent.longestCell) {
        extent.longestCell = cellLength_;
        extent.longestCellRow = row_;
    }
}

void RowsMeasure::endRow(RowsExtent& extent) const {
    endCell(extent);
    if (rowLength_ == 0) {
        return;
    }
    extent.rows = row_ + 1;
    if (separators_ + 1 > extent.columns) {
        extent.columns = separators_ + 1;
        extent.widestRow = row_;
    }
}

RowsExtent RowsMeasure::extent() const {
    RowsExtent extent = extent_;
    endRow(extent);
    return extent;
}

RowsExtent measureRows(const RowTexts& rows) {
    RowsMeasure measure;
    for (const QStringView row : rows) {
        measure.add(row);
        measure.add(u"\n");
    }
    return measure.extent();
}

} // namespace quillmere
