#include "import/Spreadsheet.h"

namespace quillmere {

void CellBlock::addRow(const QList<QStringView>& cells) {
    Q_ASSERT(cells.size() <= width_);
    cells_.insert(cells_.end(), cells.begin(), cells.end());
    cells_.resize(cells_.size() + std::size_t(width_ - cells.size()));
}

std::vector<QString> sheetNames(const SpreadsheetDocument& document) {
    std::vector<QString> names;
    const int count = document.sheetCount();
    for (int i = 0; i < count; ++i) {
        names.push_back(document.sheetAt(i)->name());
    }
    return names;
}

} // namespace quillmere
