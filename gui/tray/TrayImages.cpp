// Simple shapes only, so every size stays crisp.
#include "gui/tray/TrayImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace TrayImages {

namespace {
const QColor green(0x1e, 0xa0, 0x3c);
const QColor blue(0x1f, 0x4f, 0xd0);
const QColor red(0xd0, 0x20, 0x20);
const QColor yellow(0xf0, 0xc8, 0x20);

void offlineSign(QPainter& p, qreal s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawRect(QRectF(0, 0, s * 0.19, s));
    p.drawRect(QRectF(s * 0.81, 0, s * 0.19, s));
    p.setPen(QPen(Qt::darkGray, s / 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s * 0.32, s * 0.3), QPointF(s * 0.68, s * 0.7));
    p.drawLine(QPointF(s * 0.68, s * 0.3), QPointF(s * 0.32, s * 0.7));
}

void onlineSign(QPainter& p, qreal s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawEllipse(QRectF(s * 0.25, s * 0.25, s * 0.5, s * 0.5));
}

// The frame around the edge in `steps` of twelve, clockwise from the top left corner.
void minutesFrame(QPainter& p, qreal s, int steps)
{
    QPainterPath edge;
    const qreal inset = s / 16;
    edge.addRect(QRectF(inset, inset, s - 2 * inset, s - 2 * inset));
    const qreal length = edge.length();
    QPainterPath part;
    part.moveTo(edge.pointAtPercent(0));
    const int points = 48 * steps;
    for (int i = 1; i <= points; ++i)
        part.lineTo(edge.pointAtPercent(edge.percentAtLength(length * i / (48.0 * 12))));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(blue, s / 8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(part);
}

void stoppedBox(QPainter& p, qreal s)
{
    const QRectF box(s * 0.45, s * 0.45, s * 0.55, s * 0.55);
    p.setPen(QPen(Qt::black, s / 16));
    p.setBrush(yellow);
    p.drawRect(box);
    p.setPen(QPen(red, s / 10));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}

void hourglass(QPainter& p, qreal s)
{
    p.setPen(QPen(Qt::black, s / 16));
    p.setBrush(yellow);
    const QPointF glass[] = {{s * 0.2, s * 0.1}, {s * 0.8, s * 0.1}, {s * 0.5, s * 0.5},
                             {s * 0.8, s * 0.9}, {s * 0.2, s * 0.9}, {s * 0.5, s * 0.5}};
    p.drawPolygon(glass, 6);
}
} // namespace

QImage draw(int index, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    if (index >= 1 && index <= 12) {
        onlineSign(p, s);
        minutesFrame(p, s, index);
    } else if (index == stopped) {
        offlineSign(p, s);
        stoppedBox(p, s);
    } else if (index == dialling) {
        hourglass(p, s);
    } else {
        offlineSign(p, s);
    }
    return image;
}

QList<QIcon> imageList()
{
    QList<QIcon> icons;
    for (int i = 0; i < count; ++i)
        icons.append(QIcon(QPixmap::fromImage(draw(i))));
    return icons;
}

QImage appIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf4, 0xf0));
    p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.18, s * 0.18);
    onlineSign(p, s);
    minutesFrame(p, s, 9);
    return image;
}

QIcon appIconSet()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(appIcon(size)));
    return icon;
}

} // namespace TrayImages
