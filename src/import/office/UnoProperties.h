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

} // namespace quillmere::office
