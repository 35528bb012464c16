#include "ti_linear_gauge.h"

#include "ti_support.h"

#include <QPainter>
#include <QPolygonF>

namespace {

constexpr double majorTick = 6.0;
constexpr double minorTick = 3.0;
constexpr double pointerLength = 10.0;
constexpr double pointerHalfHeight = 5.0;

} // namespace

TiLinearGauge::TiLinearGauge(QWidget* parent) : TiRangeWidget(380.0, parent) {}

void TiLinearGauge::setPointerColor(const QColor& color) {
    if (color == m_pointerColor) {
        return;
    }
    m_pointerColor = color;
    update();
}

QSize TiLinearGauge::sizeHint() const {
    return {60, 96};
}

// The scale line stands right of the labels, leaving room for the pointer beyond it.
double TiLinearGauge::scaleX() const {
    return width() - pointerLength - 6.0;
}

double TiLinearGauge::yAt(double value) const {
    const double margin = qMax(pointerHalfHeight, fontMetrics().height() / 2.0) + 1.0;
    const double top = margin;
    const double bottom = height() - margin;
    return bottom - fractionOf(value) * (bottom - top);
}

void TiLinearGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawScale(painter);
    drawTicks(painter);
    drawPointer(painter);
}

void TiLinearGauge::drawScale(QPainter& painter) const {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(QPointF(scaleX(), yAt(positionMax())), QPointF(scaleX(), yAt(positionMin())));
}

void TiLinearGauge::drawTicks(QPainter& painter) const {
    const double x = scaleX();
    const QList<double> majors = ti::majorTicks(positionMin(), positionMax(), 4);
    for (double tick : ti::minorTicks(positionMin(), positionMax(), majors, 2)) {
        painter.drawLine(QPointF(x - minorTick, yAt(tick)), QPointF(x, yAt(tick)));
    }
    const double half = fontMetrics().height() / 2.0;
    for (double tick : majors) {
        const double y = yAt(tick);
        painter.drawLine(QPointF(x - majorTick, y), QPointF(x, y));
        const QRectF box(0.0, y - half, x - majorTick - 2.0, 2 * half);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, ti::tickLabel(tick));
    }
}

// A triangle beside the scale, its tip on the scale line at the position.
void TiLinearGauge::drawPointer(QPainter& painter) const {
    const double x = scaleX() + 1.0;
    const double y = yAt(position());
    const QPolygonF triangle{QPointF(x, y), QPointF(x + pointerLength, y - pointerHalfHeight),
                             QPointF(x + pointerLength, y + pointerHalfHeight)};
    painter.setPen(QPen(m_pointerColor.darker(150), 1));
    painter.setBrush(m_pointerColor);
    painter.drawPolygon(triangle);
}
