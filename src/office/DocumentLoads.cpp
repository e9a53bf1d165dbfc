#include "office/DocumentLoads.h"

#include "office/DeclinedInteraction.h"
#include "office/OfficeError.h"
#include "office/UnoGuard.h"
#include "office/UnoProperties.h"
#include "office/UnoSpreadsheet.h"
#include "office/UnoStrings.h"

#include <QCoreApplication>
#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <rtl/ref.hxx>

namespace quillmere::office {

using namespace com::sun::star;
using uno::Reference;
using uno::UNO_QUERY_THROW;

namespace {

// The text import's options: the separator, no text delimiter, UTF-8, from line 1, every column as Text.
rtl::OUString textImportOptions(QChar separator, qint64 columns) {
    QString options = QStringLiteral("%1,,76,1,").arg(int(separator.unicode()));
    options.reserve(options.size() + columns * 8);
    for (qint64 c = 1; c <= columns; ++c) {
        options += QStringLiteral("%1%2/2").arg(c == 1 ? "" : "/").arg(c);
    }
    return toOUString(options);
}

Reference<sheet::XSpreadsheet> firstSheet(const Reference<sheet::XSpreadsheetDocument>& document) {
    Reference<container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
    return Reference<sheet::XSpreadsheet>(sheets->getByIndex(0), UNO_QUERY_THROW);
}

} // namespace

// A document without a window goes with the last reference to it, also when this program ends first: the office
// is never left holding one that nobody can see.
std::vector<QString> newDocumentSheetNames(const Reference<uno::XComponentContext>& context) {
    const Reference<frame::XLoadable> model(context->getServiceManager()->createInstanceWithContext(
                                                rtl::OUString("com.sun.star.sheet.SpreadsheetDocument"), context),
                                            UNO_QUERY_THROW);
    const Reference<util::XCloseable> closing(model, UNO_QUERY_THROW);
    std::vector<QString> names;
    try {
        model->initNew();
        for (const rtl::OUString& name :
             Reference<sheet::XSpreadsheetDocument>(model, UNO_QUERY_THROW)->getSheets()->getElementNames()) {
            names.push_back(toQString(name));
        }
    } catch (...) {
        closing->close(true);
        throw;
    }
    closing->close(true);
    return names;
}

namespace {

// Saves in the office's own format, there is nothing to undo, and it reads as unmodified: as a document made new. So
// an office that closes every window as it ends does not ask the user about a run's document before its veto holds.
void forgetTheLoad(const Reference<sheet::XSpreadsheetDocument>& document) {
    const auto ownFormat = properties({property("FilterName", uno::Any(rtl::OUString("calc8")))});
    Reference<frame::XModel>(document, UNO_QUERY_THROW)->attachResource(rtl::OUString(), ownFormat);
    Reference<document::XUndoManagerSupplier>(document, UNO_QUERY_THROW)->getUndoManager()->clear();
    Reference<util::XModifiable>(document, UNO_QUERY_THROW)->setModified(false);
}

void makeLikeNew(const Reference<sheet::XSpreadsheetDocument>& document, const QString& sheetName, qint64 rows,
                 qint64 columns) {
    const Reference<sheet::XSpreadsheet> sheet = firstSheet(document);
    Reference<container::XNamed>(sheet, UNO_QUERY_THROW)->setName(toOUString(sheetName));
    // The text format the import leaves would make whatever the user types later into these cells text too. A text
    // cell is as high in any number format, so the office is spared measuring every row again, which would take it a
    // quarter of the load's time; it measures rows again for the user's own changes.
    const Reference<beans::XPropertySet> settings(document, UNO_QUERY_THROW);
    const rtl::OUString adjustHeights("IsAdjustHeightEnabled");
    settings->setPropertyValue(adjustHeights, uno::Any(false));
    try {
        Reference<beans::XPropertySet>(sheet->getCellRangeByPosition(0, 0, sal_Int32(columns - 1), sal_Int32(rows - 1)),
                                       UNO_QUERY_THROW)
            ->setPropertyValue(rtl::OUString("NumberFormat"), uno::Any(sal_Int32(0)));
    } catch (...) {
        settings->setPropertyValue(adjustHeights, uno::Any(true));
        throw;
    }
    settings->setPropertyValue(adjustHeights, uno::Any(true));
    forgetTheLoad(document);
}

void closeQuietly(const Reference<lang::XComponent>& component) {
    try {
        if (const Reference<util::XCloseable> closing{component, uno::UNO_QUERY}; closing.is()) {
            closing->close(true);
        }
    } catch (const uno::Exception&) {
        // Half a document that nobody will see: there is nothing more to do with it.
    }
}

// The file loaded through the filter as a new, untitled document (a template's copy); null when the office warned
// that it loaded less than the whole file. Whatever the office would ask the user goes to a handler of ours. No status
// indicator of ours: one that goes away in the middle of a load, as it does when this program ends, leaves the
// office unable to load the next file.
Reference<sheet::XSpreadsheetDocument> loadAsNew(const Reference<frame::XComponentLoader>& loader, const QString& path,
                                                 const uno::Sequence<beans::PropertyValue>& filter) {
    const rtl::Reference<DeclinedInteraction> interaction(new DeclinedInteraction);
    uno::Sequence<beans::PropertyValue> args(filter);
    const sal_Int32 size = args.getLength();
    args.realloc(size + 3);
    args.getArray()[size] = property("AsTemplate", uno::Any(true));
    args.getArray()[size + 1] = interaction->asOption();
    args.getArray()[size + 2] = onMainThread();
    const QString url = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    Reference<lang::XComponent> component;
    try {
        component = loader->loadComponentFromURL(toOUString(url), rtl::OUString("_blank"), 0, args);
    } catch (const uno::Exception&) {
        if (!interaction->lostData() && interaction->failure().isEmpty()) {
            throw;
        }
    }
    if (interaction->lostData()) {
        closeQuietly(component);
        return {};
    }
    if (!interaction->failure().isEmpty()) {
        closeQuietly(component);
        throw OfficeError(QCoreApplication::translate("DocumentLoads", "LibreOffice refused to load the file"),
                          plainWords(interaction->failure()));
    }
    return Reference<sheet::XSpreadsheetDocument>(component, UNO_QUERY_THROW);
}

} // namespace

std::unique_ptr<SpreadsheetDocument> loadTextDocument(const Reference<frame::XComponentLoader>& loader,
                                                      const QString& path, QChar separator, qint64 rows, qint64 columns,
                                                      const QString& sheetName) {
    const auto filter = properties({property("FilterName", uno::Any(rtl::OUString("Text - txt - csv (StarCalc)"))),
                                    property("FilterOptions", uno::Any(textImportOptions(separator, columns)))});
    const auto document = loadAsNew(loader, path, filter);
    if (!document.is()) {
        return nullptr;
    }
    auto loaded = std::make_unique<UnoDocument>(document);
    makeLikeNew(document, sheetName, rows, columns);
    return loaded;
}

std::unique_ptr<SpreadsheetDocument> loadFlatSpreadsheet(const Reference<frame::XComponentLoader>& loader,
                                                         const QString& path) {
    const auto filter =
        properties({property("FilterName", uno::Any(rtl::OUString("OpenDocument Spreadsheet Flat XML")))});
    const auto document = loadAsNew(loader, path, filter);
    if (!document.is()) {
        return nullptr;
    }
    auto loaded = std::make_unique<UnoDocument>(document);
    forgetTheLoad(document);
    return loaded;
}

} // namespace quillmere::office
