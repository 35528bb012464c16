#pragma once

#include <QColor>
#include <QWidget>

#include "ti_led_state.h"

// A raised push switch with its caption in the middle and an LED strip along the lower
// edge. Each operator click (left button pressed and released on it, or Space while it
// has focus) toggles Active and raises OnChange once; setting properties from code
// never does.
class TiSwitchLed : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor ActiveColor READ activeColor WRITE setActiveColor)
    Q_PROPERTY(bool Active READ active WRITE setActive)
    Q_PROPERTY(int CaptionMargin READ captionMargin WRITE setCaptionMargin)
    Q_PROPERTY(int BorderSize READ borderSize WRITE setBorderSize)
    Q_PROPERTY(QColor BorderHighlightColor READ borderHighlightColor WRITE setBorderHighlightColor)
    Q_PROPERTY(QColor BorderShadowColor READ borderShadowColor WRITE setBorderShadowColor)

public:
    explicit TiSwitchLed(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    QColor activeColor() const { return m_led.activeColor(); }
    bool active() const { return m_led.active(); }
    int captionMargin() const { return m_captionMargin; }
    int borderSize() const { return m_borderSize; }
    QColor borderHighlightColor() const { return m_highlight; }
    QColor borderShadowColor() const { return m_shadow; }
    QColor shownColor() const { return m_led.shownColor(); }
    QRect ledRect() const;

    void setCaption(const QString& caption);
    void setActiveColor(const QColor& color);
    void setActive(bool active);
    void setCaptionMargin(int margin);
    void setBorderSize(int size);
    void setBorderHighlightColor(const QColor& color);
    void setBorderShadowColor(const QColor& color);

    QSize sizeHint() const override;

signals:
    void OnChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void drawFace(QPainter& painter) const;
    void drawCaption(QPainter& painter) const;
    void drawLed(QPainter& painter) const;
    void setPressed(bool pressed);
    void click();

    QString m_caption;
    TiLedState m_led;
    int m_captionMargin = 2;
    int m_borderSize = 2;
    QColor m_highlight{255, 255, 255};
    QColor m_shadow{128, 128, 128};
    bool m_pressed = false;
};
