#include "app/CenterForm.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace quillmere::app {

namespace {

int halfway(int screenStart, int screenLength, int windowLength) {
    return screenStart + qRound(float(screenLength - windowLength) / 2.0f);
}

// Lives from the window's creation to its first exposure, which comes after the window manager has framed it.
class CenterOnFirstExposure final : public QObject {
public:
    explicit CenterOnFirstExposure(QWidget& window)
        : QObject(&window)
        , window_(window) {
        window_.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && window_.windowHandle()->isExposed()) {
            centerForm(window_, window_.screen()->geometry());
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
};

} // namespace

void centerForm(QWidget& window, const QRect& screen) {
    const QSize size = window.frameGeometry().size();
    window.move(halfway(screen.left(), screen.width(), size.width()),
                halfway(screen.top(), screen.height(), size.height()));
}

void centerFormWhenShown(QWidget& window) {
    window.winId();
    new CenterOnFirstExposure(window);
}

} // namespace quillmere::app
