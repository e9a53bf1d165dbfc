#pragma once

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>

namespace quillmere::office {

// While the object lives, the office refuses to end, as it would when the user closes its last visible window: a run
// that is still loading or writing its document would lose it, and the user's other documents with the office.
class TerminationVeto {
public:
    explicit TerminationVeto(com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> desktop);
    ~TerminationVeto();
    TerminationVeto(const TerminationVeto&) = delete;
    TerminationVeto& operator=(const TerminationVeto&) = delete;

private:
    com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> desktop_;
    com::sun::star::uno::Reference<com::sun::star::frame::XTerminateListener> listener_;
};

} // namespace quillmere::office
