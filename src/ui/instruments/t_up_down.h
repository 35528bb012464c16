#pragma once

#include <QPointer>
#include <QWidget>

class TiAnalogOutput;

// A pair of arrow buttons, up over down. A press on an arrow steps Position by
// Increment within [Min, Max] and raises OnClick. With an associate attached, the
// arrows sit against the associate's right edge, at its height, and each step writes
// Position into the associate's Value; attaching alone writes nothing.
class TUpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(int Position READ position WRITE setPosition)
    Q_PROPERTY(int Increment READ increment WRITE setIncrement)

public:
    explicit TUpDown(QWidget* parent = nullptr);

    int min() const { return m_min; }
    int max() const { return m_max; }
    int position() const { return m_position; }
    int increment() const { return m_increment; }
    TiAnalogOutput* associate() const { return m_associate; }

    void setMin(int min);
    void setMax(int max);
    void setPosition(int position);
    void setIncrement(int increment) { m_increment = increment; }
    void setAssociate(TiAnalogOutput* associate);

    QSize sizeHint() const override;

signals:
    void OnClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Arrow { None, Up, Down };

    QRect arrowRect(Arrow arrow) const;
    void drawButton(QPainter& painter, Arrow arrow) const;
    void drawArrow(QPainter& painter, Arrow arrow) const;
    void step(int direction);
    void followAssociate();

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_increment = 1;
    Arrow m_pressed = Arrow::None;
    QPointer<TiAnalogOutput> m_associate;
};
