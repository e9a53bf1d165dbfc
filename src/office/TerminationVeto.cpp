#include "office/TerminationVeto.h"

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

} // namespace

TerminationVeto::TerminationVeto(uno::Reference<frame::XDesktop2> desktop)
    : Registration(std::move(desktop), new TerminationRefusal) {}

CloseVeto::CloseVeto(uno::Reference<util::XCloseBroadcaster> window)
    : Registration(std::move(window), new CloseRefusal) {}

} // namespace quillmere::office
