#include "import/office/TerminationVeto.h"

#include <com/sun/star/frame/TerminationVetoException.hpp>
#include <cppuhelper/implbase1.hxx>

namespace quillmere::office {

using namespace com::sun::star;

namespace {

class Refusal final : public cppu::WeakImplHelper1<frame::XTerminateListener> {
public:
    void SAL_CALL queryTermination(const lang::EventObject&) override { throw frame::TerminationVetoException(); }
    void SAL_CALL notifyTermination(const lang::EventObject&) override {}
    void SAL_CALL disposing(const lang::EventObject&) override {}
};

} // namespace

TerminationVeto::TerminationVeto(uno::Reference<frame::XDesktop2> desktop)
    : desktop_(std::move(desktop))
    , listener_(new Refusal) {
    desktop_->addTerminateListener(listener_);
}

TerminationVeto::~TerminationVeto() {
    try {
        desktop_->removeTerminateListener(listener_);
    } catch (const uno::Exception&) {
        // The office was given up or has ended: it holds no veto of a program that is gone.
    }
}

} // namespace quillmere::office
