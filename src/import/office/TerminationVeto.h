#pragma once

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/util/XCloseBroadcaster.hpp>
#include <com/sun/star/util/XCloseListener.hpp>

namespace quillmere::office {

// While the object lives, the office refuses to end, as it would when the user closes its last visible window: a run
// that is still loading or writing its document would lose it. LibreOffice 7.4 asks before it closes any window, so
// the user's other documents stay too; 25.2 asks only after it has closed every window that let it (asking the user
// first about modified documents), so there the run's own window must refuse as well (CloseVeto).
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

// While the object lives, the office's window refuses to close, whether the user closes it or the office ends: a run's
// document reads as unmodified until it is handed over, so it would go without a question. A program that has gone
// holds no veto.
class CloseVeto {
public:
    explicit CloseVeto(com::sun::star::uno::Reference<com::sun::star::util::XCloseBroadcaster> window);
    ~CloseVeto();
    CloseVeto(const CloseVeto&) = delete;
    CloseVeto& operator=(const CloseVeto&) = delete;

private:
    com::sun::star::uno::Reference<com::sun::star::util::XCloseBroadcaster> window_;
    com::sun::star::uno::Reference<com::sun::star::util::XCloseListener> listener_;
};

} // namespace quillmere::office
