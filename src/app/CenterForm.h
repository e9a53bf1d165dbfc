#pragma once

#include <QRect>

class QWidget;

namespace quillmere::app {

// Places the window, frame and title bar included, in the middle of the screen, whose whole area counts. The
// halving is single-precision and nothing is clamped: a window larger than the screen gets a negative place.
void centerForm(QWidget& window, const QRect& screen);

// Centres the window on its screen with centerForm() once the window system first shows it: only then is the
// frame it adds known.
void centerFormWhenShown(QWidget& window);

} // namespace quillmere::app
