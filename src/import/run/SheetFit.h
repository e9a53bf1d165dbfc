#pragma once

#include "import/Spreadsheet.h"
#include "import/text/RowsExtent.h"

#include <optional>
#include <vector>

namespace quillmere {

// Which listed file the rows of one write came from: file firstFile + k starts at row firstRows[k].
struct FileRows {
    int firstFile = 0;
    std::vector<qsizetype> firstRows;
    int fileOfRow(qsizetype row) const;
    // The line of its file that the row begins with, counting from 1.
    qsizetype lineOfRow(qsizetype row) const;
};

// What of a write does not fit its sheet: the listed file it is in, and why nothing was imported.
struct Misfit {
    int file = 0;
    QString message;
};

// Checked before anything is written, against the office's limits, which its sheets keep: whether the rows, or one of
// their cells, do not fit a sheet.
std::optional<Misfit> findMisfit(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files);

} // namespace quillmere
