#include "t_up_down.h"

#include "ti_analog_output.h"
#include "ti_support.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <limits>

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {}

void TUpDown::setMin(int min) {
    if (min == m_min) {
        return;
    }
    m_min = min;
    setPosition(m_position);
}

void TUpDown::setMax(int max) {
    if (max == m_max) {
        return;
    }
    m_max = max;
    setPosition(m_position);
}

// The position is not drawn, so a change needs no repaint.
void TUpDown::setPosition(int position) {
    m_position = ti::bounded(position, m_min, m_max);
}

void TUpDown::setAssociate(TiAnalogOutput* associate) {
    if (associate == m_associate) {
        return;
    }
    if (m_associate) {
        m_associate->removeEventFilter(this);
    }
    m_associate = associate;
    if (m_associate) {
        m_associate->installEventFilter(this);
        followAssociate();
    }
}

QSize TUpDown::sizeHint() const {
    return {15, 21};
}

// The type is tested first: the associate also sends events while it is being
// destroyed, when it must no longer be looked at as a numeric field.
bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        watched == m_associate) {
        followAssociate();
    }
    return QWidget::eventFilter(watched, event);
}

void TUpDown::followAssociate() {
    const QWidget* host = parentWidget();
    if (!host) {
        return;
    }
    const QPoint corner =
        m_associate->mapTo(m_associate->window(), QPoint(m_associate->width(), 0));
    const QPoint local = host->mapFrom(host->window(), corner);
    setGeometry(local.x(), local.y(), width(), m_associate->height());
}

QRect TUpDown::arrowRect(Arrow arrow) const {
    const int half = height() / 2;
    return arrow == Arrow::Up ? QRect(0, 0, width(), half)
                              : QRect(0, half, width(), height() - half);
}

void TUpDown::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (Arrow arrow : {Arrow::Up, Arrow::Down}) {
        drawButton(painter, arrow);
        drawArrow(painter, arrow);
    }
}

void TUpDown::drawButton(QPainter& painter, Arrow arrow) const {
    const QRect r = arrowRect(arrow);
    const bool sunken = arrow == m_pressed;
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    painter.fillRect(r, palette().color(QPalette::Button));
    ti::drawBevel(painter, r, 1, sunken ? dark : light, sunken ? light : dark);
}

void TUpDown::drawArrow(QPainter& painter, Arrow arrow) const {
    const QRect r = arrowRect(arrow);
    const int size = qMax(1, qMin(r.width() / 2 - 1, r.height() / 2));
    const QPoint c = r.center() + (arrow == m_pressed ? QPoint(1, 1) : QPoint());
    const int tip = arrow == Arrow::Up ? -size / 2 : size / 2;
    const QPolygon triangle{QPoint(c.x() - size + 1, c.y() - tip),
                            QPoint(c.x() + size - 1, c.y() - tip), QPoint(c.x(), c.y() + tip)};
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawPolygon(triangle);
}

void TUpDown::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    m_pressed = arrowRect(Arrow::Up).contains(at) ? Arrow::Up : Arrow::Down;
    update();
    step(m_pressed == Arrow::Up ? 1 : -1);
}

void TUpDown::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_pressed == Arrow::None) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_pressed = Arrow::None;
    update();
}

// Computed wide so that a huge increment cannot overflow before the range applies.
void TUpDown::step(int direction) {
    const long long target =
        static_cast<long long>(m_position) + static_cast<long long>(direction) * m_increment;
    const long long low = std::numeric_limits<int>::min();
    const long long high = std::numeric_limits<int>::max();
    setPosition(static_cast<int>(std::clamp(target, low, high)));
    if (m_associate) {
        m_associate->setValue(m_position);
    }
    emit OnClick();
}
