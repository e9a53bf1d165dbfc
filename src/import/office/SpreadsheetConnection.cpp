#include "import/office/SpreadsheetConnection.h"

#include "import/ColumnRule.h"
#include "import/office/OfficeError.h"
#include "import/office/TextDocument.h"
#include "import/office/UnoDesktop.h"
#include "import/office/UnoGuard.h"
#include "import/office/UnoSpreadsheet.h"
#include "import/office/UnoStrings.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

namespace quillmere {

using namespace com::sun::star;
using uno::Reference;
using uno::UNO_QUERY_THROW;

namespace {

// A local UNO environment of our own is only needed to reach an office over a pipe; one serves the process.
Reference<uno::XComponentContext> localContext() {
    static const Reference<uno::XComponentContext> context = [] {
        rtl::OUString ini;
        if (!rtl::Bootstrap::get(rtl::OUString("URE_BOOTSTRAP"), ini)) {
            rtl::Bootstrap::set(rtl::OUString("URE_BOOTSTRAP"),
                                rtl::OUString("vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc"));
        }
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return context;
}

Reference<frame::XComponentLoader> desktopOf(const Reference<uno::XComponentContext>& context) {
    return Reference<frame::XComponentLoader>(frame::Desktop::create(context), UNO_QUERY_THROW);
}

} // namespace

SpreadsheetConnection::SpreadsheetConnection(std::unique_ptr<Desktop> desktop)
    : desktop_(std::move(desktop)) {}

SpreadsheetConnection::~SpreadsheetConnection() = default;

std::unique_ptr<SpreadsheetConnection> SpreadsheetConnection::connectToUserOffice() {
    auto desktop = std::make_unique<Desktop>();
    office::guarded(QStringLiteral("Could not start or reach LibreOffice"),
                    [&] { desktop->loader = desktopOf(cppu::bootstrap()); });
    return std::unique_ptr<SpreadsheetConnection>(new SpreadsheetConnection(std::move(desktop)));
}

std::unique_ptr<SpreadsheetConnection> SpreadsheetConnection::connectToPipe(const QString& pipeName) {
    auto desktop = std::make_unique<Desktop>();
    office::guarded(QStringLiteral("Could not reach LibreOffice on the pipe \"%1\"").arg(pipeName), [&] {
        const Reference<uno::XComponentContext> local = localContext();
        const auto resolver = bridge::UnoUrlResolver::create(local);
        const auto url = rtl::OUString("uno:pipe,name=") + office::toOUString(pipeName) +
                         rtl::OUString(";urp;StarOffice.ComponentContext");
        desktop->loader = desktopOf(Reference<uno::XComponentContext>(resolver->resolve(url), UNO_QUERY_THROW));
    });
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
SpreadsheetConnection::openTextDocument(const QString& path, qint64 rows, qint64 columns,
                                        const std::function<void(double)>& progress) {
    return office::guardedResult<std::unique_ptr<SpreadsheetDocument>>(
        QStringLiteral("Could not open a new Calc document with the text"),
        [&] { return office::LoadTextDocument(desktop_->loader, path, CellSeparator, rows, columns, progress); });
}

} // namespace quillmere
