#pragma once

#include <com/sun/star/beans/PropertyValue.hpp>

#include <initializer_list>

namespace quillmere::office {

// The office takes its load and save options as sequences of named values.
inline com::sun::star::beans::PropertyValue property(const char* name, const com::sun::star::uno::Any& value) {
    com::sun::star::beans::PropertyValue p;
    p.Name = rtl::OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

inline com::sun::star::uno::Sequence<com::sun::star::beans::PropertyValue>
properties(std::initializer_list<com::sun::star::beans::PropertyValue> list) {
    return {list.begin(), sal_Int32(list.size())};
}

// A document's window is built by the thread that loads it. Built on a thread of the bridge, the office's GTK front
// end asks the clipboard for the menus' state from that thread and can wait on it for ever; a load with this
// option is done on the office's main thread.
inline com::sun::star::beans::PropertyValue onMainThread() {
    return property("OnMainThread", com::sun::star::uno::Any(true));
}

} // namespace quillmere::office
