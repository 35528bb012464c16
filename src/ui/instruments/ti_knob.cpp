#include "ti_knob.h"

#include "ti_support.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double startAngle = 225.0; // degrees, counter-clockwise from three o'clock
constexpr double sweep = 270.0;
constexpr int wheelNotch = 120;

double toRadians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// An angle difference brought into (-180, 180].
double wrapped(double degrees) {
    const double d = std::fmod(degrees, 360.0);
    return d > 180.0 ? d - 360.0 : d <= -180.0 ? d + 360.0 : d;
}

} // namespace

TiKnob::TiKnob(QWidget* parent) : TiRangeWidget(10000.0, parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void TiKnob::setKnobRadius(int radius) {
    radius = qMax(1, radius);
    if (radius == m_knobRadius) {
        return;
    }
    m_knobRadius = radius;
    updateGeometry();
    update();
}

void TiKnob::setShowValue(bool show) {
    if (show == m_showValue) {
        return;
    }
    m_showValue = show;
    update();
}

QSize TiKnob::sizeHint() const {
    const int side = 2 * (m_knobRadius + 48);
    return {side, side};
}

QPointF TiKnob::centre() const {
    return QRectF(rect()).center();
}

QPointF TiKnob::pointAt(double fraction, double radius) const {
    const double angle = toRadians(startAngle - sweep * fraction);
    return centre() + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
}

// Clockwise from the minimum mark, in [0, 360); the sweep ends at 270.
double TiKnob::sweepAngleAt(const QPointF& point) const {
    const QPointF d = point - centre();
    const double angle = std::atan2(-d.y(), d.x()) * 180.0 / std::numbers::pi;
    return std::fmod(startAngle - angle + 360.0, 360.0);
}

void TiKnob::turnTo(double sweepAngle) {
    const double f = std::clamp(sweepAngle / sweep, 0.0, 1.0);
    setPosition(positionMin() + f * (positionMax() - positionMin()));
}

void TiKnob::operate(double target) {
    setPosition(target);
    emit OnClick();
}

void TiKnob::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        TiRangeWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    const QPointF point = event->position();
    if (QLineF(point, centre()).length() < 1.0) {
        // No angle at the very centre: drag on from where the pointer stands.
        m_dragAngle = fraction() * sweep;
        m_lastRawAngle = m_dragAngle;
        return;
    }
    // A press in the gap goes to the nearer end.
    const double raw = sweepAngleAt(point);
    m_lastRawAngle = raw;
    m_dragAngle = raw > sweep + (360.0 - sweep) / 2 ? raw - 360.0 : raw;
    turnTo(m_dragAngle);
}

void TiKnob::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) {
        TiRangeWidget::mouseMoveEvent(event);
        return;
    }
    const double raw = sweepAngleAt(event->position());
    m_dragAngle += wrapped(raw - m_lastRawAngle);
    m_lastRawAngle = raw;
    turnTo(m_dragAngle);
}

void TiKnob::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_dragging) {
        TiRangeWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    emit OnClick();
}

void TiKnob::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        operate(position() + m_arrowStep);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        operate(position() - m_arrowStep);
        break;
    case Qt::Key_PageUp:
        operate(position() + m_pageStep);
        break;
    case Qt::Key_PageDown:
        operate(position() - m_pageStep);
        break;
    case Qt::Key_Home:
        operate(positionMin());
        break;
    case Qt::Key_End:
        operate(positionMax());
        break;
    default:
        TiRangeWidget::keyPressEvent(event);
    }
}

// Fine-grained wheels deliver parts of a notch; they add up to whole notches.
void TiKnob::wheelEvent(QWheelEvent* event) {
    m_wheelDelta += event->angleDelta().y();
    for (; m_wheelDelta >= wheelNotch; m_wheelDelta -= wheelNotch) {
        operate(position() + m_wheelStep);
    }
    for (; m_wheelDelta <= -wheelNotch; m_wheelDelta += wheelNotch) {
        operate(position() - m_wheelStep);
    }
    event->accept();
}

void TiKnob::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawScale(painter);
    drawTicks(painter);
    drawLabels(painter);
    drawBody(painter);
    drawPointer(painter);
    drawValue(painter);
}

void TiKnob::drawScale(QPainter& painter) const {
    const double r = m_knobRadius + 6;
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(centre() - QPointF(r, r), QSizeF(2 * r, 2 * r)),
                    static_cast<int>(startAngle * 16), static_cast<int>(-sweep * 16));
}

void TiKnob::drawTicks(QPainter& painter) const {
    const double inner = m_knobRadius + 6;
    const QList<double> majors = ti::majorTicks(positionMin(), positionMax(), 5);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (double tick : ti::minorTicks(positionMin(), positionMax(), majors, 4)) {
        painter.drawLine(pointAt(fractionOf(tick), inner), pointAt(fractionOf(tick), inner + 4));
    }
    painter.setPen(QPen(palette().color(QPalette::WindowText), 2));
    for (double tick : majors) {
        painter.drawLine(pointAt(fractionOf(tick), inner), pointAt(fractionOf(tick), inner + 8));
    }
}

void TiKnob::drawLabels(QPainter& painter) const {
    const QFontMetricsF metrics(font());
    const double radius = m_knobRadius + 16 + metrics.height() / 2;
    painter.setPen(palette().color(QPalette::WindowText));
    for (double tick : ti::majorTicks(positionMin(), positionMax(), 5)) {
        const QString label = ti::tickLabel(tick);
        QRectF box(QPointF(), metrics.size(Qt::TextSingleLine, label));
        box.moveCenter(pointAt(fractionOf(tick), radius + box.width() / 4));
        painter.drawText(box, Qt::AlignCenter, label);
    }
}

void TiKnob::drawBody(QPainter& painter) const {
    const double r = m_knobRadius;
    QRadialGradient shade(centre() - QPointF(r / 3, r / 3), 1.5 * r);
    shade.setColorAt(0.0, palette().color(QPalette::Light));
    shade.setColorAt(1.0, palette().color(QPalette::Dark));
    const QColor outline =
        hasFocus() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Shadow);
    painter.setPen(QPen(outline, hasFocus() ? 2 : 1));
    painter.setBrush(shade);
    painter.drawEllipse(centre(), r, r);
}

void TiKnob::drawPointer(QPainter& painter) const {
    painter.setPen(QPen(palette().color(QPalette::Shadow), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(pointAt(fraction(), m_knobRadius * 0.4),
                     pointAt(fraction(), m_knobRadius - 4));
}

void TiKnob::drawValue(QPainter& painter) const {
    if (!m_showValue) {
        return;
    }
    const QFontMetrics metrics(font());
    const QRectF box(centre().x() - width() / 2.0, centre().y() + m_knobRadius + 4, width(),
                     metrics.height());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(box, Qt::AlignCenter, QString::number(position(), 'f', 1));
}
