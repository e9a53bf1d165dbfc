#include "NativeTextImport.h"

#include "import/office/TextDocument.h"
#include "import/office/UnoDesktop.h"
#include "import/office/UnoGuard.h"
#include "import/office/UnoProperties.h"
#include "import/office/UnoStrings.h"

#include <QUrl>

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>

namespace quillmere {

using namespace com::sun::star;

struct NativeTextImport::Document {
    uno::Reference<lang::XComponent> component;
};

NativeTextImport::NativeTextImport(SpreadsheetConnection& connection, const QString& path, QChar separator, int columns,
                                   Window window)
    : document_(std::make_unique<Document>()) {
    office::guarded(QStringLiteral("Could not import %1 natively").arg(path), [&] {
        using office::property;
        const auto args =
            office::properties({property("FilterName", uno::Any(rtl::OUString("Text - txt - csv (StarCalc)"))),
                                property("FilterOptions", uno::Any(office::TextImportOptions(separator, columns))),
                                property("Hidden", uno::Any(window == Window::Hidden))});
        const QString url = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
        document_->component = connection.desktop_->loader->loadComponentFromURL(office::toOUString(url),
                                                                                 rtl::OUString("_blank"), 0, args);
    });
}

NativeTextImport::~NativeTextImport() {
    try {
        uno::Reference<util::XCloseable>(document_->component, uno::UNO_QUERY_THROW)->close(true);
    } catch (const uno::Exception&) {
        // The benchmark's yardstick document is gone either way.
    }
}

} // namespace quillmere
