#include "ti_range_widget.h"

#include "ti_support.h"

#include <cmath>

TiRangeWidget::TiRangeWidget(double defaultMax, QWidget* parent)
    : QWidget(parent), m_max(defaultMax) {}

void TiRangeWidget::setPosition(double position) {
    if (std::isnan(position)) {
        return;
    }
    const double kept = ti::bounded(position, m_min, m_max);
    if (kept == m_position) {
        return;
    }
    m_position = kept;
    update();
    emit OnPositionChange();
}

void TiRangeWidget::setPositionMin(double min) {
    if (!std::isfinite(min) || min == m_min) {
        return;
    }
    m_min = min;
    update();
    keepPositionInRange();
}

void TiRangeWidget::setPositionMax(double max) {
    if (!std::isfinite(max) || max == m_max) {
        return;
    }
    m_max = max;
    update();
    keepPositionInRange();
}

double TiRangeWidget::fraction() const {
    return fractionOf(m_position);
}

double TiRangeWidget::fractionOf(double value) const {
    return ti::rangeFraction(value, m_min, m_max);
}

void TiRangeWidget::keepPositionInRange() {
    setPosition(m_position);
}
