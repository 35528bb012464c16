#include "ti_led_bar.h"

#include "ti_support.h"

#include <QPainter>
#include <cmath>

namespace {

constexpr int frame = 1;
constexpr int padding = 2;

} // namespace

TiLedBar::TiLedBar(QWidget* parent)
    : TiRangeWidget(100.0, parent), m_backGroundColor(palette().color(QPalette::Window)) {}

QRect TiLedBar::segmentArea() const {
    const int inset = frame + padding;
    return rect().adjusted(inset, inset, -inset, -inset);
}

int TiLedBar::segmentCount() const {
    const int pitch = m_segmentSize + m_segmentSpacing;
    return qMax(0, (segmentArea().height() + m_segmentSpacing) / pitch);
}

int TiLedBar::litSegments() const {
    return static_cast<int>(std::lround(fraction() * segmentCount()));
}

void TiLedBar::setActiveColor(const QColor& color) {
    if (color == m_activeColor) {
        return;
    }
    m_activeColor = color;
    update();
}

void TiLedBar::setBackGroundColor(const QColor& color) {
    if (color == m_backGroundColor) {
        return;
    }
    m_backGroundColor = color;
    update();
}

void TiLedBar::setSegmentSize(int size) {
    size = qMax(1, size);
    if (size == m_segmentSize) {
        return;
    }
    m_segmentSize = size;
    update();
}

void TiLedBar::setSegmentSpacing(int spacing) {
    spacing = qMax(0, spacing);
    if (spacing == m_segmentSpacing) {
        return;
    }
    m_segmentSpacing = spacing;
    update();
}

QSize TiLedBar::sizeHint() const {
    return {25, 153};
}

void TiLedBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawBackground(painter);
    drawSegments(painter);
}

void TiLedBar::drawBackground(QPainter& painter) const {
    painter.fillRect(rect(), m_backGroundColor);
    ti::drawBevel(painter, rect(), frame, palette().color(QPalette::Dark),
                  palette().color(QPalette::Light));
}

// Segments stack upwards from the bottom edge of the segment area.
void TiLedBar::drawSegments(QPainter& painter) const {
    const QRect area = segmentArea();
    const int pitch = m_segmentSize + m_segmentSpacing;
    const int lit = litSegments();
    const QColor off = ti::dimmed(m_activeColor);
    for (int i = 0; i < segmentCount(); ++i) {
        const int top = area.bottom() + 1 - i * pitch - m_segmentSize;
        painter.fillRect(QRect(area.left(), top, area.width(), m_segmentSize),
                         i < lit ? m_activeColor : off);
    }
}
