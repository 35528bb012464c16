#include "ti_support.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ti {

bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

double bounded(double value, double a, double b) {
    return std::clamp(value, std::min(a, b), std::max(a, b));
}

int bounded(int value, int a, int b) {
    return std::clamp(value, std::min(a, b), std::max(a, b));
}

double rangeFraction(double value, double min, double max) {
    const double fraction = (value - min) / (max - min);
    if (!std::isfinite(fraction)) {
        return 0.0;
    }
    return std::clamp(fraction, 0.0, 1.0);
}

namespace {

double niceStep(double rawStep) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    const double normal = rawStep / magnitude;
    const double factor = normal <= 1.0 ? 1.0 : normal <= 2.0 ? 2.0 : normal <= 5.0 ? 5.0 : 10.0;
    return factor * magnitude;
}

} // namespace

QList<double> majorTicks(double min, double max, int maxIntervals) {
    const double low = std::min(min, max);
    const double high = std::max(min, max);
    const double step = niceStep((high - low) / std::max(1, maxIntervals));
    if (!std::isfinite(step) || step <= 0.0) {
        return {low};
    }
    QList<double> ticks;
    // The cap guards against steps lost in the precision of very large values.
    const int cap = 2 * std::max(1, maxIntervals) + 2;
    const double first = std::ceil(low / step) * step;
    for (int i = 0; i < cap; ++i) {
        const double tick = first + i * step;
        if (tick > high + step * 1e-9) {
            break;
        }
        ticks.append(tick == 0.0 ? 0.0 : tick); // no "-0" label
    }
    if (ticks.isEmpty()) {
        ticks.append(low);
    }
    return ticks;
}

QList<double> minorTicks(double min, double max, const QList<double>& majors, int subdivisions) {
    if (majors.size() < 2 || subdivisions < 2) {
        return {};
    }
    const double low = std::min(min, max);
    const double high = std::max(min, max);
    const double step = (majors[1] - majors[0]) / subdivisions;
    // Counted in steps from the first major tick, bounded for ranges lost to precision.
    const auto stepsTo = [&](double distance) {
        return static_cast<int>(std::clamp(std::floor(distance / step), 0.0, 1000.0));
    };
    const int before = stepsTo(majors.first() - low);
    const int after = stepsTo(high - majors.first());
    QList<double> ticks;
    for (int i = -before; i <= after; ++i) {
        if (i % subdivisions != 0) {
            ticks.append(majors.first() + i * step);
        }
    }
    return ticks;
}

QString tickLabel(double value) {
    return QString::number(value, 'g', 6);
}

QColor dimmed(const QColor& color) {
    QColor off(color.red() / 3, color.green() / 3, color.blue() / 3);
    off.setAlpha(color.alpha());
    return off;
}

void drawBevel(QPainter& painter, const QRect& rect, int width, const QColor& light,
               const QColor& dark) {
    for (int i = 0; i < width; ++i) {
        const QRect r = rect.adjusted(i, i, -i, -i);
        painter.setPen(light);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}

} // namespace ti
