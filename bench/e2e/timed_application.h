#pragma once

#include <cstdint>
#include <optional>

#include "panel_application.h"

// The panel's application object, timing every top-level event delivery on the GUI
// thread (nested sends count inside their caller) and noting when the first delivery
// that painted a widget ended: the window's first paint.
class TimedApplication : public PanelApplication {
public:
    TimedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    std::int64_t deliveries() const { return deliveries_; }
    std::int64_t deliveryNs() const { return deliveryNs_; }
    // MonotonicNs() at the end of the first delivery that painted, once there was one.
    std::optional<std::int64_t> firstPaintedNs() const { return firstPaintedNs_; }

private:
    void recordDelivery(std::int64_t start, std::int64_t end);

    int depth_ = 0;
    bool painted_ = false;
    std::int64_t deliveries_ = 0;
    std::int64_t deliveryNs_ = 0;
    std::optional<std::int64_t> firstPaintedNs_;
};
