#pragma once

#include <QFont>

namespace quillmere::app {

// The window's bold text face; where Arial is missing, its metric twin Liberation Sans stands in.
QFont arialBold(qreal pointSize);

} // namespace quillmere::app
