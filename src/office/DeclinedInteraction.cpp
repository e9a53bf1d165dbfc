#include "office/DeclinedInteraction.h"

#include "office/UnoProperties.h"
#include "office/UnoStrings.h"

#include <com/sun/star/task/ErrorCodeRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>

namespace quillmere::office {

using namespace com::sun::star;

namespace {

// The office marks a warning, as opposed to an error, by the top bit of its error code.
constexpr sal_uInt32 warningBit = 0x8000'0000u;

void decline(const uno::Sequence<uno::Reference<task::XInteractionContinuation>>& continuations) {
    for (const auto& continuation : continuations) {
        if (uno::Reference<task::XInteractionAbort> abort{continuation, uno::UNO_QUERY}; abort.is()) {
            abort->select();
            return;
        }
    }
}

QString wordsOf(const uno::Any& request) {
    uno::Exception exception;
    if ((request >>= exception) && !exception.Message.isEmpty()) {
        return toQString(exception.Message);
    }
    return toQString(request.getValueTypeName());
}

} // namespace

void DeclinedInteraction::handle(const uno::Reference<task::XInteractionRequest>& request) {
    const uno::Any what = request->getRequest();
    task::ErrorCodeRequest code;
    const bool warning = (what >>= code) && (sal_uInt32(code.ErrCode) & warningBit) != 0;
    {
        const std::lock_guard lock(mutex_);
        if (warning) {
            lostData_ = true;
        } else if (failure_.isEmpty()) {
            failure_ = wordsOf(what);
        }
    }
    decline(request->getContinuations());
}

bool DeclinedInteraction::lostData() const {
    const std::lock_guard lock(mutex_);
    return lostData_;
}

QString DeclinedInteraction::failure() const {
    const std::lock_guard lock(mutex_);
    return failure_;
}

beans::PropertyValue DeclinedInteraction::asOption() {
    return property("InteractionHandler", uno::Any(uno::Reference<task::XInteractionHandler>(this)));
}

} // namespace quillmere::office
