#include "testsupport/DocumentContents.h"

#include "import/office/UnoGuard.h"
#include "import/office/UnoSpreadsheet.h"
#include "import/office/UnoStrings.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>

#include <algorithm>

namespace quillmere::testing {

using namespace com::sun::star;
using uno::Reference;
using uno::UNO_QUERY_THROW;

namespace {

// Few rows at a time: a sheet may hold cells of a million characters.
constexpr sal_Int32 rowsPerRead = 256;

table::CellRangeAddress usedArea(const Reference<sheet::XSpreadsheet>& sheet) {
    const auto cursor = sheet->createCursor();
    Reference<sheet::XUsedAreaCursor> used(cursor, UNO_QUERY_THROW);
    used->gotoStartOfUsedArea(false);
    used->gotoEndOfUsedArea(true);
    return Reference<sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress();
}

QString nonTextCells(const Reference<sheet::XSpreadsheet>& sheet) {
    const sal_Int16 flags = sheet::CellFlags::VALUE | sheet::CellFlags::DATETIME | sheet::CellFlags::FORMULA;
    const auto ranges = Reference<sheet::XCellRangesQuery>(sheet, UNO_QUERY_THROW)->queryContentCells(flags);
    return office::toQString(ranges->getRangeAddressesAsString());
}

std::vector<std::vector<QString>> cellTexts(const Reference<sheet::XSpreadsheet>& sheet) {
    const table::CellRangeAddress area = usedArea(sheet);
    std::vector<std::vector<QString>> rows;
    for (sal_Int32 top = 0; top <= area.EndRow; top += rowsPerRead) {
        const sal_Int32 bottom = std::min(area.EndRow, top + rowsPerRead - 1);
        const auto range = sheet->getCellRangeByPosition(0, top, area.EndColumn, bottom);
        for (const auto& values : Reference<sheet::XCellRangeData>(range, UNO_QUERY_THROW)->getDataArray()) {
            std::vector<QString> row;
            row.reserve(std::size_t(values.getLength()));
            for (const uno::Any& value : values) {
                rtl::OUString text;
                value >>= text;
                row.push_back(office::toQString(text));
            }
            rows.push_back(std::move(row));
        }
    }
    trim(rows);
    return rows;
}

} // namespace

void trim(std::vector<std::vector<QString>>& rows) {
    for (auto& row : rows) {
        while (!row.empty() && row.back().isEmpty()) {
            row.pop_back();
        }
    }
    while (!rows.empty() && rows.back().empty()) {
        rows.pop_back();
    }
}

DocumentContents readDocument(const SpreadsheetDocument& document) {
    DocumentContents contents;
    office::guarded(QStringLiteral("Could not read the document back"), [&] {
        const auto& uno = dynamic_cast<const office::UnoDocument&>(document).unoDocument();
        const Reference<container::XIndexAccess> sheets(uno->getSheets(), UNO_QUERY_THROW);
        for (sal_Int32 i = 0; i < sheets->getCount(); ++i) {
            const Reference<sheet::XSpreadsheet> sheet(sheets->getByIndex(i), UNO_QUERY_THROW);
            contents.push_back({office::toQString(Reference<container::XNamed>(sheet, UNO_QUERY_THROW)->getName()),
                                cellTexts(sheet), nonTextCells(sheet)});
        }
    });
    return contents;
}

} // namespace quillmere::testing
