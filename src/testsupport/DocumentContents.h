#pragma once

#include <QString>

#include <vector>

namespace quillmere::inspect {

// What a document holds, sheet by sheet in position order, row by row: each cell's text, an empty text for an
// empty cell. Rows end at their last non-empty cell, and a sheet at its last non-empty row, so two documents
// with the same cells compare equal however they were written.
struct SheetContents {
    QString name;
    std::vector<std::vector<QString>> rows;
    // Where the sheet holds anything but text (numbers, dates, formulas), as the office names ranges; or empty.
    QString nonText;
    bool operator==(const SheetContents&) const = default;
};
using DocumentContents = std::vector<SheetContents>;

// Drops the empty cells at the end of each row and the empty rows at the end of the sheet.
inline void trim(std::vector<std::vector<QString>>& rows) {
    for (auto& row : rows) {
        while (!row.empty() && row.back().isEmpty()) {
            row.pop_back();
        }
    }
    while (!rows.empty() && rows.back().empty()) {
        rows.pop_back();
    }
}

} // namespace quillmere::inspect
