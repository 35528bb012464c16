#pragma once

#include "ti_range_widget.h"

#include <QColor>

// A thermometer: a tube filled in IndicatorColor from the bulb up to Position, with a
// scale of ticks and labels to its right.
class TiThermometer : public TiRangeWidget {
    Q_OBJECT
    Q_PROPERTY(QColor IndicatorColor READ indicatorColor WRITE setIndicatorColor)

public:
    explicit TiThermometer(QWidget* parent = nullptr);

    QColor indicatorColor() const { return m_indicatorColor; }
    void setIndicatorColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Layout {
        QRectF tube;
        QPointF bulbCentre;
        double bulbRadius;
        double scaleTop;
        double scaleBottom;
    };
    Layout layout() const;
    double yAt(const Layout& l, double value) const;

    void drawTube(QPainter& painter, const Layout& l) const;
    void drawFill(QPainter& painter, const Layout& l) const;
    void drawScale(QPainter& painter, const Layout& l) const;

    QColor m_indicatorColor{255, 0, 0};
};
