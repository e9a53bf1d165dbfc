#pragma once

#include <QRect>

class QWidget;

namespace quillmere {

// Places the window in the middle of the screen, whose whole area counts. The halving is single-precision and
// nothing is clamped: a window larger than the screen gets a negative place.
void CenterForm(QWidget& window, const QRect& screen);

} // namespace quillmere
