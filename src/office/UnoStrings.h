#pragma once

#include <QString>
#include <QStringView>

#include <rtl/ustring.hxx>

namespace quillmere::office {

// Both sides hold UTF-16, so these are plain copies.
inline rtl::OUString toOUString(QStringView text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), sal_Int32(text.size()));
}

inline QString toQString(const rtl::OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

} // namespace quillmere::office
