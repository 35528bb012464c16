#pragma once

#include <QColor>

// The colour an LED shows: ActiveColor while Active, the same colour dimmed to one third
// while not. The setters tell whether the shown colour changed, so that a widget
// repaints only when it looks different.
class TiLedState {
public:
    QColor activeColor() const { return m_activeColor; }
    bool active() const { return m_active; }
    QColor shownColor() const;

    bool setActiveColor(const QColor& color);
    bool setActive(bool active);

private:
    QColor m_activeColor{0, 255, 0};
    bool m_active = false;
};
