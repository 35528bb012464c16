#pragma once

#include <QWidget>

// Common ground of the instruments that show a position inside a range (knob, LED bar,
// thermometer, linear gauge). The position is always kept inside the range; moving a
// range end pulls it back at once. NaN and infinite range ends are ignored, a NaN
// position leaves the position as it was.
class TiRangeWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Position READ position WRITE setPosition NOTIFY OnPositionChange)
    Q_PROPERTY(double PositionMin READ positionMin WRITE setPositionMin)
    Q_PROPERTY(double PositionMax READ positionMax WRITE setPositionMax)

public:
    double position() const { return m_position; }
    double positionMin() const { return m_min; }
    double positionMax() const { return m_max; }

    void setPosition(double position);
    void setPositionMin(double min);
    void setPositionMax(double max);

signals:
    void OnPositionChange();

protected:
    TiRangeWidget(double defaultMax, QWidget* parent);

    // Where the position stands in the range, from 0 at the minimum to 1 at the maximum.
    double fraction() const;
    double fractionOf(double value) const;

private:
    void keepPositionInRange();

    double m_position = 0.0;
    double m_min = 0.0;
    double m_max;
};
