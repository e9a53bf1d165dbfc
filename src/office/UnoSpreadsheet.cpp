#include "office/UnoSpreadsheet.h"

#include "import/run/ImportRequest.h"
#include "office/DeclinedInteraction.h"
#include "office/UnoGuard.h"
#include "office/UnoProperties.h"
#include "office/UnoStrings.h"

#include <QUrl>

#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/util/XCloseBroadcaster.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <rtl/ref.hxx>

namespace quillmere::office {

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

css::uno::Sequence<css::uno::Sequence<css::uno::Any>> toDataArray(const CellBlock& block) {
    css::uno::Sequence<css::uno::Sequence<css::uno::Any>> data(sal_Int32(block.height()));
    auto* rows = data.getArray();
    for (qsizetype r = 0; r < block.height(); ++r) {
        css::uno::Sequence<css::uno::Any> row(sal_Int32(block.width()));
        auto* cells = row.getArray();
        for (qsizetype c = 0; c < block.width(); ++c) {
            cells[c] <<= toOUString(block.at(r, c));
        }
        rows[r] = std::move(row);
    }
    return data;
}

// A closed document answers with no sheets at all rather than an error.
Reference<css::sheet::XSpreadsheets> sheetsOf(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    Reference<css::sheet::XSpreadsheets> sheets = document->getSheets();
    if (!sheets.is()) {
        throw css::lang::DisposedException();
    }
    return sheets;
}

// The document's window, or null where it has none.
Reference<css::frame::XFrame> frameOf(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    const auto controller = Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController();
    return controller.is() ? controller->getFrame() : nullptr;
}

Reference<css::container::XIndexAccess> sheetsByIndex(const Reference<css::sheet::XSpreadsheetDocument>& document) {
    return Reference<css::container::XIndexAccess>(sheetsOf(document), UNO_QUERY_THROW);
}

} // namespace

UnoSheet::UnoSheet(Reference<css::sheet::XSpreadsheet> sheet)
    : sheet_(std::move(sheet)) {}

QString UnoSheet::name() const {
    return guardedResult<QString>(tr("Could not read a sheet's name"), [&] {
        return toQString(Reference<css::container::XNamed>(sheet_, UNO_QUERY_THROW)->getName());
    });
}

SheetCapacity UnoSheet::capacity() const {
    return guardedResult<SheetCapacity>(tr("Could not read the size of a sheet"), [&] {
        const auto address = Reference<css::sheet::XCellRangeAddressable>(sheet_, UNO_QUERY_THROW)->getRangeAddress();
        return SheetCapacity{qint64(address.EndRow) + 1, qint64(address.EndColumn) + 1};
    });
}

namespace {

struct UnoBlock final : PreparedBlock {
    explicit UnoBlock(const CellBlock& block)
        : PreparedBlock(block.width(), block.height())
        , data(toDataArray(block)) {}
    css::uno::Sequence<css::uno::Sequence<css::uno::Any>> data;
};

} // namespace

std::unique_ptr<PreparedBlock> UnoSheet::prepareBlock(const CellBlock& block) const {
    return std::make_unique<UnoBlock>(block);
}

void UnoSheet::writePrepared(qint64 column, qint64 row, const PreparedBlock& block) {
    if (block.height() == 0) {
        return;
    }
    const QString action = block.height() == 1
                               ? tr("Could not write row %1").arg(row + 1)
                               : tr("Could not write rows %1 to %2").arg(row + 1).arg(row + block.height());
    guarded(action, [&] {
        const auto range =
            sheet_->getCellRangeByPosition(sal_Int32(column), sal_Int32(row), sal_Int32(column + block.width() - 1),
                                           sal_Int32(row + block.height() - 1));
        Reference<css::sheet::XCellRangeData>(range, UNO_QUERY_THROW)
            ->setDataArray(static_cast<const UnoBlock&>(block).data);
    });
}

UnoDocument::UnoDocument(Reference<css::sheet::XSpreadsheetDocument> document)
    : document_(std::move(document))
    , windowVeto_(std::in_place, Reference<css::util::XCloseBroadcaster>(frameOf(document_), UNO_QUERY_THROW)) {}

int UnoDocument::sheetCount() const {
    return guardedResult<int>(tr("Could not count the sheets"),
                              [&] { return int(sheetsByIndex(document_)->getCount()); });
}

std::unique_ptr<Sheet> UnoDocument::sheetAt(int index) const {
    return guardedResult<std::unique_ptr<Sheet>>(
        tr("Could not find the sheet at position %1").arg(index), [&]() -> std::unique_ptr<Sheet> {
            Reference<css::sheet::XSpreadsheet> sheet(sheetsByIndex(document_)->getByIndex(index), UNO_QUERY_THROW);
            return std::make_unique<UnoSheet>(sheet);
        });
}

void UnoDocument::insertSheet(const QString& name, int position) {
    guarded(tr("Could not insert the sheet \"%1\"").arg(name),
            [&] { sheetsOf(document_)->insertNewByName(toOUString(name), sal_Int16(position)); });
}

void UnoDocument::removeSheet(const QString& name) {
    guarded(tr("Could not remove the sheet \"%1\"").arg(name),
            [&] { sheetsOf(document_)->removeByName(toOUString(name)); });
}

// Written cells can be undone one block at a time, which would take the import apart; a loaded document reads as
// unmodified, and would be closed without a question. The window is raised through the office's own frame, since
// only the office may ask its window manager for the focus. Mind the calls that raise it: made as here, they never
// froze the office on Wayland, but the same calls from another client froze 25.2 there (its UNO thread in
// wl_display_dispatch_queue under vcl::Window::ToTop, its main thread waiting for the office's lock); made on the
// office's main thread, through css.awt.AsyncCallback, they return.
void UnoDocument::handOver() {
    guarded(tr("Could not show the new document"), [&] {
        Reference<css::document::XUndoManagerSupplier>(document_, UNO_QUERY_THROW)->getUndoManager()->clear();
        Reference<css::util::XModifiable>(document_, UNO_QUERY_THROW)->setModified(true);
        // The document's window may have gone meanwhile, closed with the document by another program: then there is
        // nothing to bring to the front.
        const Reference<css::frame::XFrame> frame = frameOf(document_);
        if (!frame.is()) {
            return;
        }
        const Reference<css::awt::XWindow> window = frame->getContainerWindow();
        Reference<css::awt::XTopWindow>(window, UNO_QUERY_THROW)->toFront();
        frame->activate();
        window->setFocus();
    });
    windowVeto_.reset();
}

void UnoDocument::saveAs(const QString& path) {
    const rtl::OUString filter = workbookForm(path) == WorkbookForm::OpenDocument
                                     ? rtl::OUString("calc8")
                                     : rtl::OUString("Calc MS Excel 2007 XML");
    // A save that fails would otherwise ask the user in a window of the office's own, and wait for the answer.
    const rtl::Reference<DeclinedInteraction> interaction(new DeclinedInteraction);
    guarded(tr("Could not save the document as %1").arg(path), [&] {
        try {
            Reference<css::frame::XStorable>(document_, UNO_QUERY_THROW)
                ->storeToURL(toOUString(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)),
                             properties({property("FilterName", css::uno::Any(filter)),
                                         property("Overwrite", css::uno::Any(true)), interaction->asOption()}));
        } catch (const css::io::IOException&) {
            if (interaction->failure().isEmpty()) {
                throw;
            }
            throw css::io::IOException(toOUString(interaction->failure()));
        }
    });
}

void UnoDocument::close() {
    windowVeto_.reset();
    guarded(tr("Could not close the document"),
            [&] { Reference<css::util::XCloseable>(document_, UNO_QUERY_THROW)->close(true); });
}

} // namespace quillmere::office
