#pragma once

#include "ti_range_widget.h"

// A round knob over a 270 degree scale, minimum at the lower left, maximum at the
// lower right. The operator turns it with the mouse (press and drag; the angle from
// the centre gives the position, and a drag never jumps across the gap at the
// bottom), the keys (arrows, Page Up/Down, Home/End) and the wheel. OnClick goes out
// once per operator action, after Position has taken its new value: on the release
// that ends a press, for each key step and for each wheel notch, also when the
// position stands at an end and cannot move. Code that sets Position raises only
// OnPositionChange.
class TiKnob : public TiRangeWidget {
    Q_OBJECT
    Q_PROPERTY(int KnobRadius READ knobRadius WRITE setKnobRadius)
    Q_PROPERTY(double KeyArrowStepSize READ keyArrowStepSize WRITE setKeyArrowStepSize)
    Q_PROPERTY(double KeyPageStepSize READ keyPageStepSize WRITE setKeyPageStepSize)
    Q_PROPERTY(double MouseWheelStepSize READ mouseWheelStepSize WRITE setMouseWheelStepSize)
    Q_PROPERTY(bool ShowValue READ showValue WRITE setShowValue)

public:
    explicit TiKnob(QWidget* parent = nullptr);

    int knobRadius() const { return m_knobRadius; }
    double keyArrowStepSize() const { return m_arrowStep; }
    double keyPageStepSize() const { return m_pageStep; }
    double mouseWheelStepSize() const { return m_wheelStep; }
    bool showValue() const { return m_showValue; }

    void setKnobRadius(int radius);
    void setKeyArrowStepSize(double step) { m_arrowStep = step; }
    void setKeyPageStepSize(double step) { m_pageStep = step; }
    void setMouseWheelStepSize(double step) { m_wheelStep = step; }
    void setShowValue(bool show);

    QSize sizeHint() const override;

signals:
    void OnClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QPointF centre() const;
    QPointF pointAt(double fraction, double radius) const;
    double sweepAngleAt(const QPointF& point) const;
    void turnTo(double sweepAngle);
    void operate(double target);

    void drawScale(QPainter& painter) const;
    void drawTicks(QPainter& painter) const;
    void drawLabels(QPainter& painter) const;
    void drawBody(QPainter& painter) const;
    void drawPointer(QPainter& painter) const;
    void drawValue(QPainter& painter) const;

    int m_knobRadius = 27;
    double m_arrowStep = 0.1;
    double m_pageStep = 1.0;
    double m_wheelStep = 1.0;
    bool m_showValue = false;

    // Drag state: the angle along the sweep, unwrapped, so that passing the gap at the
    // bottom pins the knob at the end it came from instead of jumping to the other.
    bool m_dragging = false;
    double m_dragAngle = 0.0;
    double m_lastRawAngle = 0.0;
    int m_wheelDelta = 0;
};
