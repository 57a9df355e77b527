#include "ui/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap DrawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // The module: a dark blue board with a row of pins.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x3A, 0x68));
    p.drawRoundedRect(QRectF(8, 34, 36, 24), 4, 4);
    p.setBrush(QColor(0xE8, 0xB9, 0x3C));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(12 + i * 8, 54, 4, 6));
    p.setBrush(QColor(0x9C, 0xC3, 0xE6));
    p.drawRect(QRectF(14, 40, 12, 8));

    // The antenna and its waves.
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(38, 34), QPointF(38, 12));
    p.setBrush(Qt::NoBrush);
    const QColor wave(0xD2, 0x4B, 0x2A);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(wave, 3.0 - i * 0.5, Qt::SolidLine, Qt::RoundCap));
        const double r = 8 + i * 7;
        p.drawArc(QRectF(38 - r, 12 - r, 2 * r, 2 * r), -60 * 16, 120 * 16);
    }
    return pixmap;
}

}  // namespace

QIcon OrvalisIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(DrawIcon(size));
    return icon;
}
