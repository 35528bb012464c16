#include "ti_switch_led.h"

#include "ti_support.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int ledHeight = 4;

} // namespace

TiSwitchLed::TiSwitchLed(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

QRect TiSwitchLed::ledRect() const {
    const int inset = m_borderSize + m_captionMargin;
    const QRect inner = rect().adjusted(inset, inset, -inset, -inset);
    return {inner.left(), inner.bottom() - ledHeight + 1, inner.width(), ledHeight};
}

void TiSwitchLed::setCaption(const QString& caption) {
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    update();
}

void TiSwitchLed::setActiveColor(const QColor& color) {
    if (m_led.setActiveColor(color)) {
        update();
    }
}

void TiSwitchLed::setActive(bool active) {
    if (m_led.setActive(active)) {
        update();
    }
}

void TiSwitchLed::setCaptionMargin(int margin) {
    margin = qMax(0, margin);
    if (margin == m_captionMargin) {
        return;
    }
    m_captionMargin = margin;
    update();
}

void TiSwitchLed::setBorderSize(int size) {
    size = qMax(0, size);
    if (size == m_borderSize) {
        return;
    }
    m_borderSize = size;
    update();
}

void TiSwitchLed::setBorderHighlightColor(const QColor& color) {
    if (color == m_highlight) {
        return;
    }
    m_highlight = color;
    update();
}

void TiSwitchLed::setBorderShadowColor(const QColor& color) {
    if (color == m_shadow) {
        return;
    }
    m_shadow = color;
    update();
}

QSize TiSwitchLed::sizeHint() const {
    const int inset = 2 * (m_borderSize + m_captionMargin);
    const QFontMetrics metrics = fontMetrics();
    return {qMax(60, metrics.horizontalAdvance(m_caption) + inset + 8),
            metrics.height() + ledHeight + inset + 2};
}

void TiSwitchLed::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFace(painter);
    drawCaption(painter);
    drawLed(painter);
}

// A pressed switch swaps the bevel colours, so it looks pushed in.
void TiSwitchLed::drawFace(QPainter& painter) const {
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QColor& light = m_pressed ? m_shadow : m_highlight;
    const QColor& dark = m_pressed ? m_highlight : m_shadow;
    ti::drawBevel(painter, rect(), m_borderSize, light, dark);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(m_borderSize + 1, m_borderSize + 1, -m_borderSize - 2,
                                         -m_borderSize - 2));
    }
}

void TiSwitchLed::drawCaption(QPainter& painter) const {
    const int inset = m_borderSize + m_captionMargin;
    QRect area = rect().adjusted(inset, inset, -inset, -inset - ledHeight);
    if (m_pressed) {
        area.translate(1, 1);
    }
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

void TiSwitchLed::drawLed(QPainter& painter) const {
    painter.fillRect(ledRect(), shownColor());
}

void TiSwitchLed::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setPressed(true);
}

void TiSwitchLed::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    setPressed(false);
    if (rect().contains(event->position().toPoint())) {
        click();
    }
}

void TiSwitchLed::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        setPressed(true);
    }
}

void TiSwitchLed::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !m_pressed) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    setPressed(false);
    click();
}

void TiSwitchLed::setPressed(bool pressed) {
    if (pressed == m_pressed) {
        return;
    }
    m_pressed = pressed;
    update();
}

// Active is current before OnChange goes out, so a handler reads the new state.
void TiSwitchLed::click() {
    setActive(!m_led.active());
    emit OnChange();
}
