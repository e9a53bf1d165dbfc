#include "office/OfficeLink.h"

#include <com/sun/star/uno/Exception.hpp>

namespace quillmere::office {

OfficeLink::OfficeLink(com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context,
                       com::sun::star::uno::Reference<com::sun::star::lang::XComponent> bridge)
    : context_(std::move(context))
    , bridge_(std::move(bridge)) {}

// The SDK's references copy when moved, so the source lets go of the bridge by hand: it must not end it.
OfficeLink::OfficeLink(OfficeLink&& other) noexcept
    : context_(other.context_)
    , bridge_(other.bridge_) {
    other.context_.clear();
    other.bridge_.clear();
}

OfficeLink::~OfficeLink() {
    context_.clear();
    disconnect();
}

void OfficeLink::disconnect() const noexcept {
    if (!bridge_.is()) {
        return;
    }
    try {
        bridge_->dispose();
    } catch (const com::sun::star::uno::Exception&) {
        // Gone already: nothing waits on it any more.
    }
}

} // namespace quillmere::office
