#include "import/office/TextDocument.h"

#include "import/office/LoadInteraction.h"
#include "import/office/OfficeError.h"
#include "import/office/UnoProperties.h"
#include "import/office/UnoSpreadsheet.h"
#include "import/office/UnoStrings.h"

#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/task/XStatusIndicator.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>
#include <rtl/ref.hxx>


namespace quillmere::office {

using namespace com::sun::star;
using uno::Reference;
using uno::UNO_QUERY_THROW;

namespace {

// Hands the office's progress through the load on as a fraction; the office calls it from the bridge's thread
// while the loading call waits.
class LoadProgress final : public cppu::WeakImplHelper1<task::XStatusIndicator> {
public:
    explicit LoadProgress(std::function<void(double)> report)
        : report_(std::move(report)) {}

    void SAL_CALL start(const rtl::OUString&, sal_Int32 range) override { range_ = range; }
    void SAL_CALL end() override {}
    void SAL_CALL setText(const rtl::OUString&) override {}
    void SAL_CALL setValue(sal_Int32 value) override {
        if (range_ > 0) {
            report_(double(value) / double(range_));
        }
    }
    void SAL_CALL reset() override {}

private:
    std::function<void(double)> report_;
    sal_Int32 range_ = 0;
};

} // namespace

rtl::OUString TextImportOptions(QChar separator, qint64 columns) {
    QString options = QStringLiteral("%1,,76,1,").arg(int(separator.unicode()));
    options.reserve(options.size() + columns * 8);
    for (qint64 c = 1; c <= columns; ++c) {
        options += QStringLiteral("%1%2/2").arg(c == 1 ? "" : "/").arg(c);
    }
    return toOUString(options);
}

namespace {

Reference<sheet::XSpreadsheet> firstSheet(const Reference<sheet::XSpreadsheetDocument>& document) {
    Reference<container::XIndexAccess> sheets(document->getSheets(), UNO_QUERY_THROW);
    return Reference<sheet::XSpreadsheet>(sheets->getByIndex(0), UNO_QUERY_THROW);
}

} // namespace

std::vector<QString> NewDocumentSheetNames(const Reference<frame::XComponentLoader>& loader) {
    const auto hidden = properties({property("Hidden", uno::Any(true))});
    const Reference<lang::XComponent> blank =
        loader->loadComponentFromURL(rtl::OUString("private:factory/scalc"), rtl::OUString("_blank"), 0, hidden);
    const Reference<util::XCloseable> closing(blank, UNO_QUERY_THROW);
    std::vector<QString> names;
    try {
        const Reference<sheet::XSpreadsheetDocument> document(blank, UNO_QUERY_THROW);
        for (const rtl::OUString& name : document->getSheets()->getElementNames()) {
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

// Saves in the office's own format, and there is nothing to undo: as a document made new.
void forgetTheLoad(const Reference<sheet::XSpreadsheetDocument>& document) {
    const auto ownFormat = properties({property("FilterName", uno::Any(rtl::OUString("calc8")))});
    Reference<frame::XModel>(document, UNO_QUERY_THROW)->attachResource(rtl::OUString(), ownFormat);
    Reference<document::XUndoManagerSupplier>(document, UNO_QUERY_THROW)->getUndoManager()->clear();
}

void makeLikeNew(const Reference<sheet::XSpreadsheetDocument>& document, const QString& sheetName, qint64 rows,
                 qint64 columns) {
    const Reference<sheet::XSpreadsheet> sheet = firstSheet(document);
    Reference<container::XNamed>(sheet, UNO_QUERY_THROW)->setName(toOUString(sheetName));
    // The text format the import leaves would make whatever the user types later into these cells text too.
    Reference<beans::XPropertySet>(sheet->getCellRangeByPosition(0, 0, sal_Int32(columns - 1), sal_Int32(rows - 1)),
                                   UNO_QUERY_THROW)
        ->setPropertyValue(rtl::OUString("NumberFormat"), uno::Any(sal_Int32(0)));
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
// that it loaded less than the whole file. Whatever the office would ask the user goes to a handler of ours.
Reference<sheet::XSpreadsheetDocument> loadAsNew(const Reference<frame::XComponentLoader>& loader, const QString& path,
                                                 const uno::Sequence<beans::PropertyValue>& filter,
                                                 const std::function<void(double)>& progress) {
    const rtl::Reference<LoadInteraction> interaction(new LoadInteraction);
    uno::Sequence<beans::PropertyValue> args(filter);
    const sal_Int32 size = args.getLength();
    args.realloc(size + 3);
    args.getArray()[size] = property("AsTemplate", uno::Any(true));
    args.getArray()[size + 1] =
        property("StatusIndicator", uno::Any(Reference<task::XStatusIndicator>(new LoadProgress(progress))));
    args.getArray()[size + 2] =
        property("InteractionHandler", uno::Any(Reference<task::XInteractionHandler>(interaction.get())));
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
        throw OfficeError(QStringLiteral("LibreOffice refused to load the file"), interaction->failure());
    }
    return Reference<sheet::XSpreadsheetDocument>(component, UNO_QUERY_THROW);
}

} // namespace

std::unique_ptr<SpreadsheetDocument> LoadTextDocument(const Reference<frame::XComponentLoader>& loader,
                                                      const QString& path, QChar separator, qint64 rows, qint64 columns,
                                                      const QString& sheetName,
                                                      const std::function<void(double)>& progress) {
    const auto filter = properties({property("FilterName", uno::Any(rtl::OUString("Text - txt - csv (StarCalc)"))),
                                    property("FilterOptions", uno::Any(TextImportOptions(separator, columns)))});
    const auto document = loadAsNew(loader, path, filter, progress);
    if (!document.is()) {
        return nullptr;
    }
    auto loaded = std::make_unique<UnoDocument>(document);
    makeLikeNew(document, sheetName, rows, columns);
    return loaded;
}

std::unique_ptr<SpreadsheetDocument> LoadFlatSpreadsheet(const Reference<frame::XComponentLoader>& loader,
                                                         const QString& path,
                                                         const std::function<void(double)>& progress) {
    const auto filter =
        properties({property("FilterName", uno::Any(rtl::OUString("OpenDocument Spreadsheet Flat XML")))});
    const auto document = loadAsNew(loader, path, filter, progress);
    if (!document.is()) {
        return nullptr;
    }
    auto loaded = std::make_unique<UnoDocument>(document);
    forgetTheLoad(document);
    return loaded;
}

} // namespace quillmere::office
