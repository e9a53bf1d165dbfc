#include "app/ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quillmere::app {

namespace {

constexpr int Side = 32;

using Drawing = void (*)(QPainter&);

// Each drawing works on a 32 by 32 grid; the icon carries it at single and double density.
QIcon pictureIcon(Drawing draw) {
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(Side * scale, Side * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void drawPage(QPainter& painter, const QRectF& page, qreal fold) {
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    QPainterPath corner;
    corner.moveTo(page.right() - fold, page.top());
    corner.lineTo(page.right() - fold, page.top() + fold);
    corner.lineTo(page.right(), page.top() + fold);
    painter.setBrush(QColor(220, 220, 220));
    painter.drawPath(corner);
}

void drawTextFile(QPainter& painter) {
    drawPage(painter, QRectF(5.5, 1.5, 21, 29), 6);
    painter.setPen(QPen(QColor(160, 160, 160), 1));
    for (qreal y = 21.5; y < 29; y += 2.5) {
        painter.drawLine(QPointF(8.5, y), QPointF(23.5, y));
    }
    // The letter is drawn, not typeset, so that it looks the same with every font.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 70, 210));
    painter.drawRect(QRectF(8, 5, 14, 3.5));
    painter.drawRect(QRectF(13.25, 5, 3.5, 14));
}

void drawFolder(QPainter& painter) {
    const QColor edge(150, 110, 0);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(QColor(230, 180, 30));
    QPainterPath back;
    back.moveTo(1.5, 28.5);
    back.lineTo(1.5, 7.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(12.5, 10.5);
    back.lineTo(26.5, 10.5);
    back.lineTo(26.5, 28.5);
    back.closeSubpath();
    painter.drawPath(back);
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(6.5, 4.5, 15, 18));
    painter.drawRect(QRectF(9.5, 2.5, 15, 18));
    painter.setPen(QPen(edge, 1));
    painter.setBrush(QColor(255, 215, 70));
    const QPolygonF front{QPointF(1.5, 28.5), QPointF(7.5, 14.5), QPointF(30.5, 14.5), QPointF(26.5, 28.5)};
    painter.drawPolygon(front);
}

void drawSpreadsheet(QPainter& painter) {
    const QRectF frame(1.5, 3.5, 29, 25);
    painter.setPen(QPen(QColor(40, 60, 110), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(frame);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 90, 190));
    painter.drawRect(QRectF(2, 4, 28, 5));
    painter.setBrush(QColor(225, 225, 225));
    painter.drawRect(QRectF(2, 9, 28, 3.5));
    painter.drawRect(QRectF(2, 9, 5, 19));
    painter.setPen(QPen(QColor(120, 130, 150), 1));
    for (qreal y = 12.5; y < 28; y += 4) {
        painter.drawLine(QPointF(2, y), QPointF(30, y));
    }
    for (qreal x = 7.5; x < 30; x += 7.5) {
        painter.drawLine(QPointF(x, 9), QPointF(x, 28));
    }
}

} // namespace

QIcon textFilePicture() {
    return pictureIcon(drawTextFile);
}

QIcon folderPicture() {
    return pictureIcon(drawFolder);
}

QIcon spreadsheetPicture() {
    return pictureIcon(drawSpreadsheet);
}

QIcon transparentIcon() {
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace quillmere::app
