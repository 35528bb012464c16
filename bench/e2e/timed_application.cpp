#include "timed_application.h"

#include <QEvent>
#include <QThread>

#include "child_process.h"

TimedApplication::TimedApplication(int& argc, char** argv) : PanelApplication(argc, argv) {}

// The serial component's I/O thread delivers through here too; only the GUI thread's
// deliveries are counted, and only it touches the counters.
bool TimedApplication::notify(QObject* receiver, QEvent* event) {
    if (QThread::currentThread() != thread()) {
        return PanelApplication::notify(receiver, event);
    }
    painted_ = painted_ || event->type() == QEvent::Paint;
    const bool topLevel = depth_ == 0;
    const std::int64_t start = topLevel ? MonotonicNs() : 0;
    ++depth_;
    const bool handled = PanelApplication::notify(receiver, event);
    --depth_;
    if (topLevel) {
        recordDelivery(start, MonotonicNs());
    }
    return handled;
}

void TimedApplication::recordDelivery(std::int64_t start, std::int64_t end) {
    ++deliveries_;
    deliveryNs_ += end - start;
    if (painted_ && !firstPaintedNs_) {
        firstPaintedNs_ = end;
    }
}
