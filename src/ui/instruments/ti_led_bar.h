#pragma once

#include "ti_range_widget.h"

#include <QColor>

// A vertical bar of LED segments lit from the bottom in proportion to Position. Unlit
// segments show ActiveColor dimmed, as an LED that is off.
class TiLedBar : public TiRangeWidget {
    Q_OBJECT
    Q_PROPERTY(QColor ActiveColor READ activeColor WRITE setActiveColor)
    Q_PROPERTY(QColor BackGroundColor READ backGroundColor WRITE setBackGroundColor)
    Q_PROPERTY(int SegmentSize READ segmentSize WRITE setSegmentSize)
    Q_PROPERTY(int SegmentSpacing READ segmentSpacing WRITE setSegmentSpacing)

public:
    explicit TiLedBar(QWidget* parent = nullptr);

    QColor activeColor() const { return m_activeColor; }
    QColor backGroundColor() const { return m_backGroundColor; }
    int segmentSize() const { return m_segmentSize; }
    int segmentSpacing() const { return m_segmentSpacing; }
    int segmentCount() const;
    int litSegments() const;

    void setActiveColor(const QColor& color);
    void setBackGroundColor(const QColor& color);
    void setSegmentSize(int size);
    void setSegmentSpacing(int spacing);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect segmentArea() const;
    void drawBackground(QPainter& painter) const;
    void drawSegments(QPainter& painter) const;

    QColor m_activeColor{0, 255, 0};
    QColor m_backGroundColor;
    int m_segmentSize = 4;
    int m_segmentSpacing = 1;
};
