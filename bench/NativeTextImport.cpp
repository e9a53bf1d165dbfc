#include "NativeTextImport.h"

#include "import/office/TextDocument.h"
#include "import/office/UnoDesktop.h"
#include "import/office/UnoGuard.h"
#include "import/office/UnoStrings.h"

#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>

namespace quillmere {

using namespace com::sun::star;

struct NativeTextImport::Document {
    uno::Reference<lang::XComponent> component;
};

namespace {

beans::PropertyValue property(const char* name, const uno::Any& value) {
    beans::PropertyValue p;
    p.Name = rtl::OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

} // namespace

NativeTextImport::NativeTextImport(SpreadsheetConnection& connection, const QString& path, QChar separator, int columns,
                                   Window window)
    : document_(std::make_unique<Document>()) {
    office::guarded(QStringLiteral("Could not import %1 natively").arg(path), [&] {
        uno::Sequence<beans::PropertyValue> args(3);
        args.getArray()[0] = property("FilterName", uno::Any(rtl::OUString("Text - txt - csv (StarCalc)")));
        args.getArray()[1] = property("FilterOptions", uno::Any(office::TextImportOptions(separator, columns)));
        args.getArray()[2] = property("Hidden", uno::Any(window == Window::Hidden));
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
