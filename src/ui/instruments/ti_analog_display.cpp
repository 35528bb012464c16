#include "ti_analog_display.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int maxPrecision = 20;
constexpr int margin = 3;

} // namespace

TiAnalogDisplay::TiAnalogDisplay(QWidget* parent) : QWidget(parent) {}

QString TiAnalogDisplay::text() const {
    return QString::number(m_value, 'f', m_precision);
}

void TiAnalogDisplay::setValue(double value) {
    const QString before = text();
    m_value = value;
    if (text() != before) {
        update();
    }
}

void TiAnalogDisplay::setPrecision(int precision) {
    precision = std::clamp(precision, 0, maxPrecision);
    if (precision == m_precision) {
        return;
    }
    m_precision = precision;
    updateGeometry();
    update();
}

void TiAnalogDisplay::setFontColor(const QColor& color) {
    if (color == m_fontColor) {
        return;
    }
    m_fontColor = color;
    update();
}

void TiAnalogDisplay::setBackGroundColor(const QColor& color) {
    if (color == m_backGroundColor) {
        return;
    }
    m_backGroundColor = color;
    update();
}

QSize TiAnalogDisplay::sizeHint() const {
    const QFontMetrics metrics(digitFont());
    const QString widest = QString::number(8888.0, 'f', m_precision);
    return {metrics.horizontalAdvance(widest) + 2 * margin, metrics.height() + 2 * margin};
}

void TiAnalogDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFace(painter);
    drawDigits(painter);
}

QFont TiAnalogDisplay::digitFont() const {
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

void TiAnalogDisplay::drawFace(QPainter& painter) const {
    painter.fillRect(rect(), m_backGroundColor);
}

void TiAnalogDisplay::drawDigits(QPainter& painter) const {
    painter.setFont(digitFont());
    painter.setPen(m_fontColor);
    painter.drawText(rect().adjusted(margin, 0, -margin, 0), Qt::AlignRight | Qt::AlignVCenter,
                     text());
}
