#pragma once

#include <QColor>
#include <QWidget>

#include "ti_led_state.h"

// A round LED filling the largest square that fits the widget. It shows ActiveColor
// while Active and the same colour dimmed to one third while not.
class TiLedRound : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor ActiveColor READ activeColor WRITE setActiveColor)
    Q_PROPERTY(bool Active READ active WRITE setActive)

public:
    explicit TiLedRound(QWidget* parent = nullptr);

    QColor activeColor() const { return m_led.activeColor(); }
    bool active() const { return m_led.active(); }
    QColor shownColor() const { return m_led.shownColor(); }

    void setActiveColor(const QColor& color);
    void setActive(bool active);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawRim(QPainter& painter, const QRectF& square) const;
    void drawLens(QPainter& painter, const QRectF& square) const;
    void drawHighlight(QPainter& painter, const QRectF& square) const;

    TiLedState m_led;
};
