#pragma once

#include <QColor>
#include <QWidget>

// A digital read-out: Value with Precision decimals in bold FontColor digits on a
// BackGroundColor face, right-aligned. It repaints only when the shown text changes.
class TiAnalogDisplay : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double Value READ value WRITE setValue)
    Q_PROPERTY(int Precision READ precision WRITE setPrecision)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(QColor BackGroundColor READ backGroundColor WRITE setBackGroundColor)

public:
    explicit TiAnalogDisplay(QWidget* parent = nullptr);

    double value() const { return m_value; }
    int precision() const { return m_precision; }
    QColor fontColor() const { return m_fontColor; }
    QColor backGroundColor() const { return m_backGroundColor; }
    QString text() const;

    void setValue(double value);
    void setPrecision(int precision);
    void setFontColor(const QColor& color);
    void setBackGroundColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont digitFont() const;
    void drawFace(QPainter& painter) const;
    void drawDigits(QPainter& painter) const;

    double m_value = 0.0;
    int m_precision = 1;
    QColor m_fontColor{0, 255, 255};
    QColor m_backGroundColor{0, 0, 0};
};
