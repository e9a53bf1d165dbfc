#include "office/SpreadsheetConnection.h"

#include "office/DocumentLoads.h"
#include "office/OfficeError.h"
#include "office/OfficeStart.h"
#include "office/TerminationVeto.h"
#include "office/UnoGuard.h"
#include "office/UnoProperties.h"
#include "office/UnoSpreadsheet.h"
#include "office/UnoStrings.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/Desktop.hpp>

namespace quillmere::office {

using namespace com::sun::star;
using uno::Reference;
using uno::UNO_QUERY_THROW;

namespace {

Reference<frame::XDesktop2> desktopOf(const office::OfficeLink& link) {
    return frame::Desktop::create(link.context());
}

} // namespace

struct SpreadsheetConnection::Desktop {
    explicit Desktop(office::OfficeLink officeLink);

    // First, so that it goes last: what follows still talks to the office as it goes.
    office::OfficeLink link;
    Reference<frame::XComponentLoader> loader;
    // A connection lives for one run: the office stays up until the run has handed its document over.
    office::TerminationVeto veto;
};

SpreadsheetConnection::Desktop::Desktop(office::OfficeLink officeLink)
    : link(std::move(officeLink))
    , loader(desktopOf(link), UNO_QUERY_THROW)
    , veto(desktopOf(link)) {}

SpreadsheetConnection::SpreadsheetConnection(std::unique_ptr<Desktop> desktop)
    : desktop_(std::move(desktop)) {}

SpreadsheetConnection::~SpreadsheetConnection() = default;

std::unique_ptr<SpreadsheetConnection> SpreadsheetConnection::connectToUserOffice(std::chrono::milliseconds limit) {
    std::unique_ptr<Desktop> desktop;
    office::guarded(tr("Could not start or reach LibreOffice"), [&] {
        desktop = std::make_unique<Desktop>(office::startOffice(office::officeProgramFolder(), limit));
    });
    return std::unique_ptr<SpreadsheetConnection>(new SpreadsheetConnection(std::move(desktop)));
}

std::unique_ptr<SpreadsheetConnection> SpreadsheetConnection::connectToPipe(const QString& pipeName) {
    std::unique_ptr<Desktop> desktop;
    office::guarded(tr("Could not reach LibreOffice on the pipe \"%1\"").arg(pipeName),
                    [&] { desktop = std::make_unique<Desktop>(office::resolvePipe(pipeName)); });
    return std::unique_ptr<SpreadsheetConnection>(new SpreadsheetConnection(std::move(desktop)));
}

std::unique_ptr<SpreadsheetDocument> SpreadsheetConnection::openNewDocument() {
    return office::guardedResult<std::unique_ptr<SpreadsheetDocument>>(
        tr("Could not open a new Calc document"), [&]() -> std::unique_ptr<SpreadsheetDocument> {
            const auto component =
                desktop_->loader->loadComponentFromURL(rtl::OUString("private:factory/scalc"), rtl::OUString("_blank"),
                                                       0, office::properties({office::onMainThread()}));
            return std::make_unique<office::UnoDocument>(
                Reference<sheet::XSpreadsheetDocument>(component, UNO_QUERY_THROW));
        });
}

std::unique_ptr<SpreadsheetDocument> SpreadsheetConnection::openTextDocument(const QString& path, QChar separator,
                                                                             qint64 rows, qint64 columns,
                                                                             const QString& sheetName) {
    return office::guardedResult<std::unique_ptr<SpreadsheetDocument>>(
        tr("Could not open a new Calc document with the text"),
        [&] { return office::loadTextDocument(desktop_->loader, path, separator, rows, columns, sheetName); });
}

std::unique_ptr<SpreadsheetDocument> SpreadsheetConnection::openSpreadsheetFile(const QString& path) {
    return office::guardedResult<std::unique_ptr<SpreadsheetDocument>>(
        tr("Could not open a new Calc document with the sheets"),
        [&] { return office::loadFlatSpreadsheet(desktop_->loader, path); });
}

std::vector<QString> SpreadsheetConnection::newDocumentSheetNames() {
    return office::guardedResult<std::vector<QString>>(tr("Could not learn the names of a new document's sheets"), [&] {
        return office::newDocumentSheetNames(desktop_->link.context());
    });
}

OfficeLimits SpreadsheetConnection::limits() const {
    return {.sheet = {1'048'576, 16'384}, .sheets = 10'000, .textLoadColumns = 16'384, .textLoadCellLength = 65'535};
}

void SpreadsheetConnection::abandon() {
    desktop_->link.disconnect();
}

} // namespace quillmere::office
