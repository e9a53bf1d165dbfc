#include "testsupport/office/DocumentReadback.h"

#include "office/OfficeStart.h"
#include "office/UnoGuard.h"
#include "office/UnoProperties.h"
#include "office/UnoSpreadsheet.h"
#include "office/UnoStrings.h"

#include <QUrl>

#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include <algorithm>

namespace quillmere::inspect {

using namespace com::sun::star;
using uno::Reference;
using uno::UNO_QUERY_THROW;

namespace {

const Reference<sheet::XSpreadsheetDocument>& unoOf(const SpreadsheetDocument& document) {
    return dynamic_cast<const office::UnoDocument&>(document).unoDocument();
}

Reference<sheet::XSpreadsheet> sheetOf(const Reference<sheet::XSpreadsheetDocument>& document, int index) {
    const Reference<container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
    return Reference<sheet::XSpreadsheet>(sheets->getByIndex(index), UNO_QUERY_THROW);
}

const QString inspecting = QStringLiteral("Could not inspect the document");

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

DocumentContents contentsOf(const Reference<sheet::XSpreadsheetDocument>& document) {
    DocumentContents contents;
    const int count = Reference<container::XIndexAccess>(document->getSheets(), UNO_QUERY_THROW)->getCount();
    for (int i = 0; i < count; ++i) {
        const auto sheet = sheetOf(document, i);
        contents.push_back({office::toQString(Reference<container::XNamed>(sheet, UNO_QUERY_THROW)->getName()),
                            cellTexts(sheet), nonTextCells(sheet)});
    }
    return contents;
}

} // namespace

QString numberFormatsOf(const SpreadsheetDocument& document, int sheet) {
    return office::guardedResult<QString>(inspecting, [&] {
        const auto unoSheet = sheetOf(unoOf(document), sheet);
        const auto format = [&](sal_Int32 column, sal_Int32 row) {
            return Reference<beans::XPropertySet>(unoSheet->getCellByPosition(column, row), UNO_QUERY_THROW)
                ->getPropertyValue(rtl::OUString("NumberFormat"))
                .get<sal_Int32>();
        };
        return QStringLiteral("%1 %2").arg(format(0, 0)).arg(format(1, 1));
    });
}

QString tracesOf(const SpreadsheetDocument& document) {
    return office::guardedResult<QString>(inspecting, [&] {
        const bool undo = Reference<document::XUndoManagerSupplier>(unoOf(document), UNO_QUERY_THROW)
                              ->getUndoManager()
                              ->isUndoPossible();
        const bool modified = Reference<util::XModifiable>(unoOf(document), UNO_QUERY_THROW)->isModified();
        const bool location = Reference<frame::XStorable>(unoOf(document), UNO_QUERY_THROW)->hasLocation();
        QString filter;
        for (const beans::PropertyValue& arg : Reference<frame::XModel>(unoOf(document), UNO_QUERY_THROW)->getArgs()) {
            if (arg.Name == "FilterName") {
                filter = office::toQString(arg.Value.get<rtl::OUString>());
            }
        }
        const bool heights = Reference<beans::XPropertySet>(unoOf(document), UNO_QUERY_THROW)
                                 ->getPropertyValue(rtl::OUString("IsAdjustHeightEnabled"))
                                 .get<bool>();
        return QStringLiteral("modified %1, undo %2, location %3, filter %4, row heights follow edits %5")
            .arg(modified ? "yes" : "no", undo ? "yes" : "no", location ? "yes" : "no", filter, heights ? "yes" : "no");
    });
}

QString windowTitleOf(const SpreadsheetDocument& document) {
    return office::guardedResult<QString>(inspecting, [&] {
        const auto frame =
            Reference<frame::XModel>(unoOf(document), UNO_QUERY_THROW)->getCurrentController()->getFrame();
        return office::toQString(Reference<frame::XTitle>(frame, UNO_QUERY_THROW)->getTitle());
    });
}

void closeDocument(const SpreadsheetDocument& document) {
    office::guarded(QStringLiteral("Could not close the document"),
                    [&] { Reference<util::XCloseable>(unoOf(document), UNO_QUERY_THROW)->close(true); });
}

namespace {

// A desktop over a bridge of its own, which goes with the call.
template <typename Result, typename Step>
Result onDesktop(const QString& pipeName, Step&& step) {
    return office::guardedResult<Result>(QStringLiteral("Could not reach the office's desktop"), [&] {
        const office::OfficeLink link = office::resolvePipe(pipeName);
        return step(frame::Desktop::create(link.context()));
    });
}

QString documentLine(const Reference<sheet::XSpreadsheetDocument>& document) {
    const Reference<table::XCell> first = sheetOf(document, 0)->getCellByPosition(0, 0);
    const Reference<frame::XController> controller =
        Reference<frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController();
    const bool seen =
        controller.is() &&
        Reference<awt::XWindow2>(controller->getFrame()->getContainerWindow(), UNO_QUERY_THROW)->isVisible();
    return office::toQString(Reference<text::XText>(first, UNO_QUERY_THROW)->getString()) +
           (seen ? QStringLiteral(" seen") : QStringLiteral(" unseen"));
}

} // namespace

QStringList documentsOf(const QString& pipeName) {
    return onDesktop<QStringList>(pipeName, [](const Reference<frame::XDesktop2>& desktop) {
        QStringList lines;
        const auto all = desktop->getComponents()->createEnumeration();
        while (all->hasMoreElements()) {
            // The start centre is no document.
            if (const Reference<sheet::XSpreadsheetDocument> document{all->nextElement(), uno::UNO_QUERY};
                document.is()) {
                lines << documentLine(document);
            }
        }
        return lines;
    });
}

DocumentContents readSavedFile(const QString& pipeName, const QString& path) {
    return onDesktop<DocumentContents>(pipeName, [&](const Reference<frame::XDesktop2>& desktop) {
        const Reference<sheet::XSpreadsheetDocument> document(
            desktop->loadComponentFromURL(office::toOUString(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)),
                                          rtl::OUString("_blank"), 0,
                                          office::properties({office::property("Hidden", uno::Any(true))})),
            UNO_QUERY_THROW);
        const DocumentContents contents = contentsOf(document);
        Reference<util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
        return contents;
    });
}

bool askToEnd(const QString& pipeName) {
    return onDesktop<bool>(pipeName, [](const Reference<frame::XDesktop2>& desktop) { return desktop->terminate(); });
}

DocumentContents readDocument(const SpreadsheetDocument& document) {
    return office::guardedResult<DocumentContents>(QStringLiteral("Could not read the document back"),
                                                   [&] { return contentsOf(unoOf(document)); });
}

} // namespace quillmere::inspect
