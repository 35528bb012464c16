#include "ti_led_round.h"

#include <QPainter>

TiLedRound::TiLedRound(QWidget* parent) : QWidget(parent) {}

void TiLedRound::setActiveColor(const QColor& color) {
    if (m_led.setActiveColor(color)) {
        update();
    }
}

void TiLedRound::setActive(bool active) {
    if (m_led.setActive(active)) {
        update();
    }
}

QSize TiLedRound::sizeHint() const {
    return {20, 20};
}

void TiLedRound::paintEvent(QPaintEvent*) {
    const qreal side = qMin(width(), height());
    const QRectF square((width() - side) / 2, (height() - side) / 2, side, side);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawRim(painter, square);
    drawLens(painter, square);
    drawHighlight(painter, square);
}

void TiLedRound::drawRim(QPainter& painter, const QRectF& square) const {
    QLinearGradient rim(square.topLeft(), square.bottomRight());
    rim.setColorAt(0.0, palette().color(QPalette::Light));
    rim.setColorAt(1.0, palette().color(QPalette::Dark));
    painter.setPen(Qt::NoPen);
    painter.setBrush(rim);
    painter.drawEllipse(square);
}

// The lens is one flat colour so that its centre shows exactly the LED's colour.
void TiLedRound::drawLens(QPainter& painter, const QRectF& square) const {
    const qreal inset = qMax<qreal>(1.0, square.width() * 0.12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shownColor());
    painter.drawEllipse(square.adjusted(inset, inset, -inset, -inset));
}

// A small reflection in the upper left, kept clear of the centre.
void TiLedRound::drawHighlight(QPainter& painter, const QRectF& square) const {
    const qreal radius = square.width() * 0.1;
    const QPointF spot = square.center() - QPointF(square.width(), square.height()) * 0.2;
    QColor shine = shownColor().lighter(170);
    shine.setAlpha(160);
    painter.setBrush(shine);
    painter.drawEllipse(spot, radius, radius);
}
