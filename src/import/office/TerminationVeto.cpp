#include "import/office/TerminationVeto.h"

#include <com/sun/star/frame/TerminationVetoException.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <cppuhelper/implbase1.hxx>

namespace quillmere::office {

using namespace com::sun::star;

namespace {

class TerminationRefusal final : public cppu::WeakImplHelper1<frame::XTerminateListener> {
public:
    void SAL_CALL queryTermination(const lang::EventObject&) override { throw frame::TerminationVetoException(); }
    void SAL_CALL notifyTermination(const lang::EventObject&) override {}
    void SAL_CALL disposing(const lang::EventObject&) override {}
};

class CloseRefusal final : public cppu::WeakImplHelper1<util::XCloseListener> {
public:
    void SAL_CALL queryClosing(const lang::EventObject&, sal_Bool) override { throw util::CloseVetoException(); }
    void SAL_CALL notifyClosing(const lang::EventObject&) override {}
    void SAL_CALL disposing(const lang::EventObject&) override {}
};

// The office was given up or has ended: it holds no veto of a program that is gone.
template <typename Step>
void unlessGone(Step&& step) {
    try {
        step();
    } catch (const uno::Exception&) {
    }
}

} // namespace

TerminationVeto::TerminationVeto(uno::Reference<frame::XDesktop2> desktop)
    : desktop_(std::move(desktop))
    , listener_(new TerminationRefusal) {
    desktop_->addTerminateListener(listener_);
}

TerminationVeto::~TerminationVeto() {
    unlessGone([this] { desktop_->removeTerminateListener(listener_); });
}

CloseVeto::CloseVeto(uno::Reference<util::XCloseBroadcaster> window)
    : window_(std::move(window))
    , listener_(new CloseRefusal) {
    window_->addCloseListener(listener_);
}

CloseVeto::~CloseVeto() {
    unlessGone([this] { window_->removeCloseListener(listener_); });
}

} // namespace quillmere::office
