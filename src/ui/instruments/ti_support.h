#pragma once

// Small helpers shared by the instrument widgets: value comparison, range arithmetic,
// scale ticks and the LED and bevel drawing that several widgets use.

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

class QPainter;

namespace ti {

// Equality for setter guards: NaN equals NaN, so assigning NaN twice repaints once.
bool sameValue(double a, double b);

// value kept inside [a, b] whichever of the two is larger.
double bounded(double value, double a, double b);
int bounded(int value, int a, int b);

// Where value stands in [min, max], from 0 to 1; 0 for an empty or unusable range.
double rangeFraction(double value, double min, double max);

// Round scale values ("nice" steps of 1, 2 or 5 times a power of ten) covering
// [min, max] in at most maxIntervals steps; just min for an empty range.
QList<double> majorTicks(double min, double max, int maxIntervals);
// Ticks splitting each major interval into subdivisions parts, over the whole range.
QList<double> minorTicks(double min, double max, const QList<double>& majors, int subdivisions);
QString tickLabel(double value);

// An LED that is off shows its colour at one third: each component divided by 3.
QColor dimmed(const QColor& color);

// A frame of the given width, light on the top and left edges, dark on the others.
void drawBevel(QPainter& painter, const QRect& rect, int width, const QColor& light,
               const QColor& dark);

} // namespace ti
