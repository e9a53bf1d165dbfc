#include "app/PictureButton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace quillmere::app {

namespace {

constexpr int Margin = 3;
constexpr int PictureSide = 32;

} // namespace

PictureButton::PictureButton(const QIcon& picture, const QString& caption, QWidget* parent)
    : QAbstractButton(parent) {
    setIcon(picture);
    setIconSize({PictureSide, PictureSide});
    setText(caption);
    setAttribute(Qt::WA_Hover);
}

void PictureButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton bevel;
    bevel.initFrom(this);
    bevel.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    painter.drawControl(QStyle::CE_PushButtonBevel, bevel);

    const QRect inside = rect().adjusted(Margin, Margin, -Margin, -Margin);
    const QRect picture(inside.left() + (inside.width() - PictureSide) / 2, inside.top(), PictureSide, PictureSide);
    painter.drawPixmap(picture, icon().pixmap(iconSize(), devicePixelRatioF()));
    const QRect caption(inside.left(), picture.bottom() + 1, inside.width(), inside.bottom() - picture.bottom());
    painter.drawItemText(caption, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, palette(), isEnabled(), text(),
                         QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inside;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

// Pressed as a push button is: at once, and only once while the key is held.
void PictureButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QAbstractButton::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        click();
    }
    event->accept();
}

} // namespace quillmere::app
