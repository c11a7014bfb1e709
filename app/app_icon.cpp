#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x5f, 0x9f));
    painter.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);

    painter.setBrush(QColor(0xfa, 0xfa, 0xf5));
    painter.drawRect(QRectF(16, 12, 32, 40));
    painter.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 2.5));
    for (int line = 0; line < 3; ++line)
        painter.drawLine(QPointF(21, 21 + line * 8), QPointF(43, 21 + line * 8));

    QPainterPath check;
    check.moveTo(24, 40);
    check.lineTo(31, 47);
    check.lineTo(46, 30);
    painter.setPen(QPen(QColor(0xe8, 0x9a, 0x10), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(check);
    return pixmap;
}

} // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(drawIcon(size));
    return icon;
}
