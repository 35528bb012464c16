#pragma once

// Helpers for the instrument tests: rendered pixels, wheel notches and paint counting.

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QImage>
#include <QWheelEvent>
#include <QWidget>

inline QColor pixelAt(QWidget& widget, QPoint point) {
    return widget.grab().toImage().pixelColor(point);
}

inline QColor centrePixel(QWidget& widget) {
    return pixelAt(widget, QPoint(widget.width() / 2, widget.height() / 2));
}

// One wheel event turned by the given angle (120 is one notch of an ordinary wheel).
inline void sendWheel(QWidget& widget, int angle) {
    const QPointF at = QRectF(widget.rect()).center();
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return QObject::eventFilter(watched, event);
    }
};
