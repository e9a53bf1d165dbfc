#pragma once

#include <QByteArray>
#include <QStringView>

namespace quillmere::xlsx {

// A cell's text as libxlsxwriter takes it: UTF-8, with what it would not carry written as the format's _xHHHH_
// escapes: NUL, which would end the C string; U+FFFE and U+FFFF, which XML cannot hold; and an underscore that would
// begin such an escape in the file, as in a text "_x0041_", which a reader would otherwise take for "A".
// libxlsxwriter escapes the other control characters itself.
QByteArray cellText(QStringView text);

} // namespace quillmere::xlsx
