#pragma once

#include <QString>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

#include <mutex>

namespace quillmere::office {

// Stands in for the office's own dialogs while it loads or saves a file for us: a request never becomes a window the
// user would have to answer in the middle of a run. Every request is declined; what it said is kept.
class DeclinedInteraction final : public cppu::WeakImplHelper1<com::sun::star::task::XInteractionHandler> {
public:
    void SAL_CALL
    handle(const com::sun::star::uno::Reference<com::sun::star::task::XInteractionRequest>& request) override;

    // The office warned that it loaded less than the whole file (too long a cell, too many rows or columns).
    bool lostData() const;
    // The office's words for a request other than such a warning; empty when there was none.
    QString failure() const;
    // The load or save option that makes the office ask this handler instead of the user.
    com::sun::star::beans::PropertyValue asOption();

private:
    mutable std::mutex mutex_;
    bool lostData_ = false;
    QString failure_;
};

} // namespace quillmere::office
