#pragma once

#include <QLineEdit>

// An editable numeric field showing Value with Precision decimals, followed directly
// by UnitsText. The operator may type; Return with a number (units optional) takes it
// as the new Value, anything else brings the formatted value back. setValue always
// restores the formatted text, so a refresh replaces half-typed text even when the
// value has not changed. OnMouseDown and OnMouseUp report every mouse button.
class TiAnalogOutput : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ value WRITE setValue)
    Q_PROPERTY(int Precision READ precision WRITE setPrecision)
    Q_PROPERTY(QString UnitsText READ unitsText WRITE setUnitsText)

public:
    explicit TiAnalogOutput(QWidget* parent = nullptr);

    double value() const { return m_value; }
    int precision() const { return m_precision; }
    QString unitsText() const { return m_unitsText; }
    QString formattedValue() const;

    void setValue(double value);
    void setPrecision(int precision);
    void setUnitsText(const QString& units);

signals:
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showValue();
    void takeTypedText();

    double m_value = 0.0;
    int m_precision = 2;
    QString m_unitsText;
};
