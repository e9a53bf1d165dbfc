#include "app/pointerfiles/PointerPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace quillmere::pointerfiles {

namespace {

constexpr int Side = 32;

QImage blankPicture() {
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath roundedBar(qreal left, qreal top, qreal width, qreal height) {
    QPainterPath bar;
    bar.addRoundedRect(QRectF(left, top, width, height), width / 2, width / 2);
    return bar;
}

QPainterPath handOutline() {
    QPainterPath hand = roundedBar(9.5, 0.5, 5, 20);
    hand = hand.united(roundedBar(14.5, 8.5, 4.5, 12));
    hand = hand.united(roundedBar(19, 9.5, 4.5, 11));
    hand = hand.united(roundedBar(23.5, 11.5, 4.5, 10));
    QPainterPath palm;
    palm.addRoundedRect(QRectF(9.5, 15.5, 18.5, 13), 4, 4);
    hand = hand.united(palm);
    QPainterPath thumb = roundedBar(-2.5, -2.5, 5, 12);
    thumb = QTransform().translate(7.5, 17).rotate(-40).map(thumb);
    return hand.united(thumb).simplified();
}

} // namespace

CursorPicture handPointerPicture() {
    QImage image = blankPicture();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(handOutline());
    // Creases between the folded fingers.
    painter.drawLine(QPointF(19, 14), QPointF(19, 19));
    painter.drawLine(QPointF(23.5, 15), QPointF(23.5, 19.5));
    return {image, QPoint(12, 1)};
}

QImage dragPicture() {
    QImage image = blankPicture();
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawRect(QRect(12, 17, 17, 12));
    const QPolygon arrow{QPoint(0, 0),  QPoint(0, 16), QPoint(4, 12), QPoint(7, 19),
                         QPoint(9, 18), QPoint(6, 11), QPoint(11, 11)};
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPolygon(arrow);
    return image;
}

} // namespace quillmere::pointerfiles
