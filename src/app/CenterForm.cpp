#include "app/CenterForm.h"

#include <QWidget>

namespace quillmere {

namespace {

int halfway(int screenStart, int screenLength, int windowLength) {
    return screenStart + qRound(float(screenLength - windowLength) / 2.0f);
}

} // namespace

void CenterForm(QWidget& window, const QRect& screen) {
    const QSize size = window.frameGeometry().size();
    window.move(halfway(screen.left(), screen.width(), size.width()),
                halfway(screen.top(), screen.height(), size.height()));
}

} // namespace quillmere
