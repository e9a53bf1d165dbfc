#pragma once

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XTerminateListener.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/util/XCloseBroadcaster.hpp>
#include <com/sun/star/util/XCloseListener.hpp>

#include <utility>

namespace quillmere::office {

namespace css = com::sun::star;

// While the object lives, the listener stays registered with the office's broadcaster. An office that was given up
// or has ended cannot take it back, and needs not: it holds no veto of a program that is gone.
template <typename Broadcaster, typename Listener, auto add, auto remove>
class Registration {
public:
    Registration(css::uno::Reference<Broadcaster> broadcaster, css::uno::Reference<Listener> listener)
        : broadcaster_(std::move(broadcaster))
        , listener_(std::move(listener)) {
        (broadcaster_.get()->*add)(listener_);
    }
    ~Registration() {
        try {
            (broadcaster_.get()->*remove)(listener_);
        } catch (const css::uno::Exception&) {
        }
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

private:
    css::uno::Reference<Broadcaster> broadcaster_;
    css::uno::Reference<Listener> listener_;
};

// While the object lives, the office refuses to end, as it would when the user closes its last visible window: a run
// that is still loading or writing its document would lose it. LibreOffice 7.4 asks before it closes any window, so
// the user's other documents stay too; 25.2 asks only after it has closed every window that let it (asking the user
// first about modified documents), so there the run's own window must refuse as well (CloseVeto).
class TerminationVeto final
    : public Registration<css::frame::XDesktop2, css::frame::XTerminateListener,
                          &css::frame::XDesktop::addTerminateListener, &css::frame::XDesktop::removeTerminateListener> {
public:
    explicit TerminationVeto(css::uno::Reference<css::frame::XDesktop2> desktop);
};

// While the object lives, the office's window refuses to close, whether the user closes it or the office ends: a run's
// document that reads as unmodified, as a loaded one does until it is handed over, would go without a question.
class CloseVeto final : public Registration<css::util::XCloseBroadcaster, css::util::XCloseListener,
                                            &css::util::XCloseBroadcaster::addCloseListener,
                                            &css::util::XCloseBroadcaster::removeCloseListener> {
public:
    explicit CloseVeto(css::uno::Reference<css::util::XCloseBroadcaster> window);
};

} // namespace quillmere::office
