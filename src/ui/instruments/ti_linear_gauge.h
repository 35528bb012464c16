#pragma once

#include "ti_range_widget.h"

#include <QColor>

// A vertical linear gauge: a scale with ticks and labels, minimum at the bottom, and a
// triangular pointer in PointerColor at Position. A range of zero width shows one label
// and the pointer at the bottom.
class TiLinearGauge : public TiRangeWidget {
    Q_OBJECT
    Q_PROPERTY(QColor PointerColor READ pointerColor WRITE setPointerColor)

public:
    explicit TiLinearGauge(QWidget* parent = nullptr);

    QColor pointerColor() const { return m_pointerColor; }
    void setPointerColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double scaleX() const;
    double yAt(double value) const;

    void drawScale(QPainter& painter) const;
    void drawTicks(QPainter& painter) const;
    void drawPointer(QPainter& painter) const;

    QColor m_pointerColor{0, 0, 255};
};
