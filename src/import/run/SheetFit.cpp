#include "import/run/SheetFit.h"

#include "import/run/Counts.h"

#include <QCoreApplication>

#include <algorithm>

namespace quillmere {

int FileRows::fileOfRow(qsizetype row) const {
    return firstFile + int(std::upper_bound(firstRows.begin(), firstRows.end(), row) - firstRows.begin()) - 1;
}

qsizetype FileRows::lineOfRow(qsizetype row) const {
    return row - firstRows[std::size_t(fileOfRow(row) - firstFile)] + 1;
}

std::optional<Misfit> findMisfit(const RowsExtent& extent, const SheetCapacity& capacity, const FileRows& files) {
    const bool cellFits = extent.longestCell <= capacity.cellLength;
    if (cellFits && extent.rows <= capacity.rows && extent.columns <= capacity.columns) {
        return std::nullopt;
    }
    //: %1 says what does not fit.
    const QString outcome = QCoreApplication::translate("SheetFit", "%1, so nothing was imported.");
    if (!cellFits) {
        // Only the .xlsx form has a limit of its own on a cell.
        const qsizetype row = extent.longestCellRow;
        return Misfit{files.fileOfRow(row),
                      outcome.arg(QCoreApplication::translate(
                                      "SheetFit", "Line %1 holds a piece of %2 characters, but an .xlsx cell holds at "
                                                  "most %3")
                                      .arg(files.lineOfRow(row))
                                      .arg(extent.longestCell)
                                      .arg(capacity.cellLength)) +
                          u' ' + QCoreApplication::translate("SheetFit", "An .ods workbook keeps it whole.")};
    }
    const qsizetype firstMisfit = extent.rows > capacity.rows ? capacity.rows : extent.widestRow;
    return Misfit{
        files.fileOfRow(firstMisfit),
        outcome.arg(QCoreApplication::translate("SheetFit", "It needs %1 and %2, but a sheet holds at most %3 and %4")
                        .arg(countedRows(extent.rows), countedColumns(extent.columns), countedRows(capacity.rows),
                             countedColumns(capacity.columns)))};
}

} // namespace quillmere
