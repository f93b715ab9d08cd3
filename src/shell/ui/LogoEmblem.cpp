#include "shell/ui/LogoEmblem.h"
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace durvek {

namespace {
const QColor kRim(0x1f, 0x4e, 0x79);
const QColor kFace(0xf4, 0xf7, 0xfb);
const QColor kPigeon(0x5a, 0x6b, 0x80);
const QColor kPigeonDark(0x3a, 0x47, 0x58);
const QColor kNeck(0x3f, 0x8f, 0x7a);
} // namespace

LogoEmblem::LogoEmblem(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 120);
}

QSize LogoEmblem::sizeHint() const
{
    return {170, 170};
}

void LogoEmblem::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height()) - 4.0;
    paintEmblem(painter, QRectF((width() - side) / 2.0, (height() - side) / 2.0, side, side));
}

QIcon LogoEmblem::icon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paintEmblem(painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void LogoEmblem::paintEmblem(QPainter& painter, const QRectF& face)
{
    paintClockFace(painter, face);
    paintPigeon(painter, face);
}

void LogoEmblem::paintClockFace(QPainter& painter, const QRectF& face)
{
    const qreal side = face.width();
    painter.setPen(QPen(kRim, side * 0.045));
    painter.setBrush(kFace);
    painter.drawEllipse(face.adjusted(side * 0.03, side * 0.03, -side * 0.03, -side * 0.03));

    const QPointF centre = face.center();
    const qreal outer = side * 0.42;
    for (int hour = 0; hour < 12; ++hour) {
        const qreal angle = qDegreesToRadians(hour * 30.0);
        const qreal inner = hour % 3 == 0 ? outer * 0.80 : outer * 0.88;
        const QPointF direction(qSin(angle), -qCos(angle));
        painter.setPen(QPen(kRim, hour % 3 == 0 ? side * 0.03 : side * 0.015, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + direction * inner, centre + direction * outer);
    }

    // Hands at ten past ten, the hour every clock maker photographs.
    painter.setPen(QPen(kRim, side * 0.03, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(qSin(qDegreesToRadians(305.0)), -qCos(qDegreesToRadians(305.0))) * outer * 0.5);
    painter.setPen(QPen(kRim, side * 0.02, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(qSin(qDegreesToRadians(60.0)), -qCos(qDegreesToRadians(60.0))) * outer * 0.72);
}

void LogoEmblem::paintPigeon(QPainter& painter, const QRectF& face)
{
    // Drawn on a 100 x 100 grid laid over the lower half of the face.
    painter.save();
    const qreal scale = face.width() / 100.0;
    painter.translate(face.left(), face.top());
    painter.scale(scale, scale);

    QPainterPath body;
    body.moveTo(18, 70);
    body.cubicTo(30, 58, 48, 56, 62, 60);
    body.cubicTo(70, 62, 76, 58, 80, 54);
    body.cubicTo(86, 52, 90, 56, 88, 60);
    body.cubicTo(84, 68, 72, 76, 56, 78);
    body.cubicTo(42, 80, 30, 78, 18, 70);
    painter.setPen(QPen(kPigeonDark, 1.2));
    painter.setBrush(kPigeon);
    painter.drawPath(body);

    QPainterPath neck;
    neck.moveTo(70, 62);
    neck.cubicTo(74, 58, 78, 56, 80, 55);
    neck.cubicTo(82, 60, 78, 66, 72, 68);
    neck.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNeck);
    painter.drawPath(neck);

    QPainterPath tail;
    tail.moveTo(22, 70);
    tail.lineTo(8, 64);
    tail.lineTo(10, 72);
    tail.lineTo(6, 78);
    tail.lineTo(24, 74);
    tail.closeSubpath();
    painter.setPen(QPen(kPigeonDark, 1.2));
    painter.setBrush(kPigeonDark);
    painter.drawPath(tail);

    QPainterPath wing;
    wing.moveTo(36, 64);
    wing.cubicTo(40, 46, 50, 30, 66, 20);
    wing.cubicTo(62, 34, 60, 44, 62, 52);
    wing.cubicTo(56, 56, 46, 60, 36, 64);
    painter.setBrush(kPigeon.lighter(125));
    painter.drawPath(wing);
    painter.drawLine(QPointF(44, 60), QPointF(58, 34));

    QPainterPath beak;
    beak.moveTo(88, 56);
    beak.lineTo(94, 58);
    beak.lineTo(88, 60);
    beak.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd9, 0xa4, 0x41));
    painter.drawPath(beak);

    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(84.5, 56.2), 1.6, 1.6);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(84.8, 56.2), 0.8, 0.8);
    painter.restore();
}

} // namespace durvek
