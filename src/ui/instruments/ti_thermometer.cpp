#include "ti_thermometer.h"

#include "ti_support.h"

#include <QPainter>

namespace {

constexpr double tubeWidth = 10.0;
constexpr double bulbRadius = 10.0;
constexpr double majorTick = 8.0;
constexpr double minorTick = 4.0;

} // namespace

TiThermometer::TiThermometer(QWidget* parent) : TiRangeWidget(100.0, parent) {}

void TiThermometer::setIndicatorColor(const QColor& color) {
    if (color == m_indicatorColor) {
        return;
    }
    m_indicatorColor = color;
    update();
}

QSize TiThermometer::sizeHint() const {
    return {100, 150};
}

TiThermometer::Layout TiThermometer::layout() const {
    const double half = fontMetrics().height() / 2.0;
    const double x = width() * 0.3;
    const QPointF bulb(x, height() - bulbRadius - 2.0);
    const double top = half + 2.0;
    const QRectF tube(x - tubeWidth / 2, top - 4.0, tubeWidth, bulb.y() - top + 4.0);
    return {tube, bulb, bulbRadius, top, bulb.y() - bulbRadius - 4.0};
}

double TiThermometer::yAt(const Layout& l, double value) const {
    return l.scaleBottom - fractionOf(value) * (l.scaleBottom - l.scaleTop);
}

void TiThermometer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Layout l = layout();
    drawTube(painter, l);
    drawFill(painter, l);
    drawScale(painter, l);
}

void TiThermometer::drawTube(QPainter& painter, const Layout& l) const {
    painter.setPen(QPen(palette().color(QPalette::Shadow), 1));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRoundedRect(l.tube, tubeWidth / 2, tubeWidth / 2);
    painter.drawEllipse(l.bulbCentre, l.bulbRadius, l.bulbRadius);
}

// The bulb is always full; the column rises from it to the position.
void TiThermometer::drawFill(QPainter& painter, const Layout& l) const {
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_indicatorColor);
    const double inset = 2.0;
    const double top = yAt(l, position());
    painter.drawRect(
        QRectF(l.tube.left() + inset, top, l.tube.width() - 2 * inset, l.bulbCentre.y() - top));
    painter.drawEllipse(l.bulbCentre, l.bulbRadius - inset, l.bulbRadius - inset);
}

void TiThermometer::drawScale(QPainter& painter, const Layout& l) const {
    const double x = l.tube.right() + 4.0;
    const QList<double> majors = ti::majorTicks(positionMin(), positionMax(), 5);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (double tick : ti::minorTicks(positionMin(), positionMax(), majors, 2)) {
        const double y = yAt(l, tick);
        painter.drawLine(QPointF(x, y), QPointF(x + minorTick, y));
    }
    const double half = fontMetrics().height() / 2.0;
    for (double tick : majors) {
        const double y = yAt(l, tick);
        painter.drawLine(QPointF(x, y), QPointF(x + majorTick, y));
        const QRectF box(x + majorTick + 3.0, y - half, width() - x - majorTick - 3.0, 2 * half);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, ti::tickLabel(tick));
    }
}
