#include "import/office/SpreadsheetConnection.h"

#include "import/ColumnRule.h"
#include "import/office/OfficeError.h"
#include "import/office/OfficeStart.h"
#include "import/office/TextDocument.h"
#include "import/office/UnoDesktop.h"
#include "import/office/UnoGuard.h"
#include "import/office/UnoSpreadsheet.h"
#include "import/office/UnoStrings.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/Desktop.hpp>

namespace quillmere {

using namespace com::sun::star;
using uno::Reference;
using uno::UNO_QUERY_THROW;

namespace {

Reference<frame::XComponentLoader> desktopOf(const Reference<uno::XComponentContext>& context) {
    return Reference<frame::XComponentLoader>(frame::Desktop::create(context), UNO_QUERY_THROW);
}

} // namespace

SpreadsheetConnection::SpreadsheetConnection(std::unique_ptr<Desktop> desktop)
    : desktop_(std::move(desktop)) {}

SpreadsheetConnection::~SpreadsheetConnection() = default;

std::unique_ptr<SpreadsheetConnection> SpreadsheetConnection::connectToUserOffice(std::chrono::milliseconds limit) {
    auto desktop = std::make_unique<Desktop>();
    office::guarded(QStringLiteral("Could not start or reach LibreOffice"),
                    [&] { desktop->loader = desktopOf(office::StartOffice(office::OfficeProgramFolder(), limit)); });
    return std::unique_ptr<SpreadsheetConnection>(new SpreadsheetConnection(std::move(desktop)));
}

std::unique_ptr<SpreadsheetConnection> SpreadsheetConnection::connectToPipe(const QString& pipeName) {
    auto desktop = std::make_unique<Desktop>();
    office::guarded(QStringLiteral("Could not reach LibreOffice on the pipe \"%1\"").arg(pipeName),
                    [&] { desktop->loader = desktopOf(office::ResolvePipe(pipeName)); });
    return std::unique_ptr<SpreadsheetConnection>(new SpreadsheetConnection(std::move(desktop)));
}

std::unique_ptr<SpreadsheetDocument> SpreadsheetConnection::openNewDocument() {
    return office::guardedResult<std::unique_ptr<SpreadsheetDocument>>(
        QStringLiteral("Could not open a new Calc document"), [&]() -> std::unique_ptr<SpreadsheetDocument> {
            const auto component = desktop_->loader->loadComponentFromURL(rtl::OUString("private:factory/scalc"),
                                                                          rtl::OUString("_blank"), 0, {});
            return std::make_unique<office::UnoDocument>(
                Reference<sheet::XSpreadsheetDocument>(component, UNO_QUERY_THROW));
        });
}

std::unique_ptr<SpreadsheetDocument>
SpreadsheetConnection::openTextDocument(const QString& path, qint64 rows, qint64 columns, const QString& sheetName,
                                        const std::function<void(double)>& progress) {
    return office::guardedResult<std::unique_ptr<SpreadsheetDocument>>(
        QStringLiteral("Could not open a new Calc document with the text"), [&] {
            return office::LoadTextDocument(desktop_->loader, path, CellSeparator, rows, columns, sheetName, progress);
        });
}

std::unique_ptr<SpreadsheetDocument>
SpreadsheetConnection::openSpreadsheetFile(const QString& path, const std::function<void(double)>& progress) {
    return office::guardedResult<std::unique_ptr<SpreadsheetDocument>>(
        QStringLiteral("Could not open a new Calc document with the sheets"),
        [&] { return office::LoadFlatSpreadsheet(desktop_->loader, path, progress); });
}

std::vector<QString> SpreadsheetConnection::newDocumentSheetNames() {
    return office::guardedResult<std::vector<QString>>(QStringLiteral("Could not open a new Calc document"),
                                                       [&] { return office::NewDocumentSheetNames(desktop_->loader); });
}

} // namespace quillmere
