#include "NativeLoad.h"

#include "office/OfficeStart.h"
#include "office/UnoGuard.h"
#include "office/UnoProperties.h"
#include "office/UnoStrings.h"

#include <QUrl>

#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>

namespace quillmere {

using namespace com::sun::star;

struct NativeOffice::Desktop {
    office::OfficeLink link;
    uno::Reference<frame::XDesktop2> desktop;
};

struct NativeLoad::Document {
    uno::Reference<lang::XComponent> component;
};

NativeOffice::NativeOffice(const QString& pipeName)
    : desktop_(
          office::guardedResult<std::unique_ptr<Desktop>>(QStringLiteral("Could not reach the office natively"), [&] {
              office::OfficeLink link = office::resolvePipe(pipeName);
              const auto desktop = frame::Desktop::create(link.context());
              return std::make_unique<Desktop>(Desktop{std::move(link), desktop});
          })) {}

NativeOffice::~NativeOffice() = default;

namespace {

// A document loaded as new is untitled, as a template's copy is.
uno::Reference<lang::XComponent> load(NativeOffice& office, const QString& path, const rtl::OUString& filter,
                                      const QString& options, NativeLoad::Window window, bool asNew = false) {
    uno::Reference<lang::XComponent> component;
    office::guarded(QStringLiteral("Could not load %1 natively").arg(path), [&] {
        using office::property;
        const auto args = office::properties({property("FilterName", uno::Any(filter)),
                                              property("FilterOptions", uno::Any(office::toOUString(options))),
                                              property("Hidden", uno::Any(window == NativeLoad::Window::Hidden)),
                                              property("AsTemplate", uno::Any(asNew)), office::onMainThread()});
        const QString url = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
        component =
            office.desktop().desktop->loadComponentFromURL(office::toOUString(url), rtl::OUString("_blank"), 0, args);
    });
    return component;
}

} // namespace

NativeLoad::NativeLoad(std::unique_ptr<Document> document)
    : document_(std::move(document)) {}

NativeLoad::NativeLoad(NativeLoad&&) noexcept = default;

NativeLoad NativeLoad::text(NativeOffice& office, const QString& path, QChar separator, int columns, Window window) {
    // Separator, no text delimiter, UTF-8 (76), from line 1, then every column as Text (2).
    QStringList types;
    for (int c = 1; c <= columns; ++c) {
        types << QStringLiteral("%1/2").arg(c);
    }
    const QString options = QStringLiteral("%1,,76,1,").arg(int(separator.unicode())) + types.join(u'/');
    return NativeLoad(std::make_unique<Document>(
        Document{load(office, path, rtl::OUString("Text - txt - csv (StarCalc)"), options, window)}));
}

NativeLoad NativeLoad::flatSpreadsheet(NativeOffice& office, const QString& path, Window window) {
    return NativeLoad(std::make_unique<Document>(
        Document{load(office, path, rtl::OUString("OpenDocument Spreadsheet Flat XML"), QString(), window, true)}));
}

NativeLoad::~NativeLoad() {
    if (!document_) {
        return;
    }
    try {
        uno::Reference<util::XCloseable>(document_->component, uno::UNO_QUERY_THROW)->close(true);
    } catch (const uno::Exception&) {
        // The benchmark's yardstick document is gone either way.
    }
}

} // namespace quillmere
