#include "testsupport/CellReadback.h"

#include "import/office/UnoGuard.h"
#include "import/office/UnoSpreadsheet.h"
#include "import/office/UnoStrings.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/util/XCloseable.hpp>

namespace quillmere::inspect {

using namespace com::sun::star;
using uno::Reference;
using uno::UNO_QUERY_THROW;

namespace {

const Reference<sheet::XSpreadsheetDocument>& unoOf(const SpreadsheetDocument& document) {
    return dynamic_cast<const office::UnoDocument&>(document).unoDocument();
}

Reference<sheet::XSpreadsheet> sheetOf(const SpreadsheetDocument& document, int index) {
    Reference<container::XIndexAccess> sheets(unoOf(document)->getSheets(), UNO_QUERY_THROW);
    return Reference<sheet::XSpreadsheet>(sheets->getByIndex(index), UNO_QUERY_THROW);
}

const QString inspecting = QStringLiteral("Could not inspect the document");

} // namespace

std::ostream& operator<<(std::ostream& out, const Looks& looks) {
    return out << "Looks(" << looks.columnWidth << ", " << looks.rowHeight << ", " << looks.cellStyle.toStdString()
               << ", " << looks.fontName.toStdString() << ", " << looks.fontHeight << ", "
               << looks.pageStyle.toStdString() << ")";
}

Looks looksOf(const SpreadsheetDocument& document, int sheet) {
    return office::guardedResult<Looks>(inspecting, [&] {
        const auto unoSheet = sheetOf(document, sheet);
        const auto value = [](const Reference<uno::XInterface>& object, const char* name) {
            return Reference<beans::XPropertySet>(object, UNO_QUERY_THROW)
                ->getPropertyValue(rtl::OUString::createFromAscii(name));
        };
        // Far from any cell the import wrote, as the user would find the sheet.
        const auto cell = unoSheet->getCellByPosition(5000, 500'000);
        const auto range = unoSheet->getCellRangeByPosition(5000, 500'000, 5000, 500'000);
        const auto& columns = Reference<table::XColumnRowRange>(range, UNO_QUERY_THROW);
        return Looks{
            value(columns->getColumns()->getByIndex(0).get<Reference<uno::XInterface>>(), "Width").get<sal_Int32>(),
            value(columns->getRows()->getByIndex(0).get<Reference<uno::XInterface>>(), "Height").get<sal_Int32>(),
            office::toQString(value(cell, "CellStyle").get<rtl::OUString>()),
            office::toQString(value(cell, "CharFontName").get<rtl::OUString>()),
            value(cell, "CharHeight").get<float>(),
            office::toQString(value(unoSheet, "PageStyle").get<rtl::OUString>())};
    });
}

qint32 numberFormatOf(const SpreadsheetDocument& document, int sheet, qsizetype column, qsizetype row) {
    return office::guardedResult<qint32>(inspecting, [&] {
        const Reference<beans::XPropertySet> cell(
            sheetOf(document, sheet)->getCellByPosition(sal_Int32(column), sal_Int32(row)), UNO_QUERY_THROW);
        return qint32(cell->getPropertyValue(rtl::OUString("NumberFormat")).get<sal_Int32>());
    });
}

bool canUndo(const SpreadsheetDocument& document) {
    return office::guardedResult<bool>(inspecting, [&] {
        return bool(Reference<document::XUndoManagerSupplier>(unoOf(document), UNO_QUERY_THROW)
                        ->getUndoManager()
                        ->isUndoPossible());
    });
}

QString saveFilter(const SpreadsheetDocument& document) {
    return office::guardedResult<QString>(inspecting, [&] {
        for (const beans::PropertyValue& arg : Reference<frame::XModel>(unoOf(document), UNO_QUERY_THROW)->getArgs()) {
            if (arg.Name == "FilterName") {
                return office::toQString(arg.Value.get<rtl::OUString>());
            }
        }
        return QString();
    });
}

bool hasLocation(const SpreadsheetDocument& document) {
    return office::guardedResult<bool>(
        inspecting, [&] { return bool(Reference<frame::XStorable>(unoOf(document), UNO_QUERY_THROW)->hasLocation()); });
}

void closeDocument(const SpreadsheetDocument& document) {
    office::guarded(QStringLiteral("Could not close the document"),
                    [&] { Reference<util::XCloseable>(unoOf(document), UNO_QUERY_THROW)->close(true); });
}

} // namespace quillmere::inspect
