#pragma once

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

namespace quillmere::office {

// A bridge of its own to an office, with the office's component context over it. The bridge ends with the object,
// its threads joined: left to the process's end, its reader could take a late message from the office while the
// UNO runtime is being torn down.
class OfficeLink {
public:
    OfficeLink(com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context,
               com::sun::star::uno::Reference<com::sun::star::lang::XComponent> bridge);
    OfficeLink(OfficeLink&& other) noexcept;
    OfficeLink& operator=(OfficeLink&&) = delete;
    OfficeLink(const OfficeLink&) = delete;
    OfficeLink& operator=(const OfficeLink&) = delete;
    ~OfficeLink();

    const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context() const { return context_; }
    // Ends the bridge now: every call that waits on it ends as disposed, on any thread.
    void disconnect() const noexcept;

private:
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    com::sun::star::uno::Reference<com::sun::star::lang::XComponent> bridge_;
};

} // namespace quillmere::office
