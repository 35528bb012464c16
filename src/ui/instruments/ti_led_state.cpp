#include "ti_led_state.h"

#include "ti_support.h"

QColor TiLedState::shownColor() const {
    return m_active ? m_activeColor : ti::dimmed(m_activeColor);
}

bool TiLedState::setActiveColor(const QColor& color) {
    const QColor before = shownColor();
    m_activeColor = color;
    return shownColor() != before;
}

bool TiLedState::setActive(bool active) {
    const QColor before = shownColor();
    m_active = active;
    return shownColor() != before;
}
