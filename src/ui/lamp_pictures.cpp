#include "lamp_pictures.h"

#include <QPainter>
#include <QtMath>

namespace {

constexpr int kSize = 32;
constexpr QPointF kCentre(kSize / 2.0, kSize / 2.0);
constexpr qreal kRingRadius = 9.0;

QPixmap BlankPicture() {
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    return picture;
}

void DrawRing(QPainter& painter) {
    painter.setPen(QPen(Qt::white, 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(kCentre, kRingRadius, kRingRadius);
}

void DrawRays(QPainter& painter) {
    painter.setPen(QPen(Qt::red, 2.0, Qt::SolidLine, Qt::RoundCap));
    for (int ray = 0; ray < 8; ++ray) {
        const qreal angle = ray * M_PI / 4.0;
        const QPointF direction(qCos(angle), qSin(angle));
        painter.drawLine(kCentre + direction * (kRingRadius + 3.0), kCentre + direction * 14.5);
    }
}

} // namespace

QPixmap UnlitLampPicture() {
    QPixmap picture = BlankPicture();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawRing(painter);
    return picture;
}

QPixmap LitLampPicture() {
    QPixmap picture = BlankPicture();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.drawEllipse(kCentre, kRingRadius - 1.0, kRingRadius - 1.0);
    DrawRing(painter);
    DrawRays(painter);
    return picture;
}
