// Repaint economy: the refresh assigns every property twice a second, so assigning
// what is already shown must not repaint, and a change must repaint once.

#include "instrument_test_util.h"
#include "ti_analog_display.h"
#include "ti_analog_output.h"
#include "ti_knob.h"
#include "ti_label.h"
#include "ti_led_bar.h"
#include "ti_led_round.h"
#include "ti_linear_gauge.h"
#include "ti_switch_led.h"
#include "ti_thermometer.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct RepaintCase {
    const char* name;
    std::function<QWidget*(QWidget& host)> make;
    std::function<void(QWidget&)> same;
    std::function<void(QWidget&)> change;
};

// Builds a case for widget type W: setup gives the starting state, same assigns what is
// already shown, change assigns something that shows differently.
template <class W>
RepaintCase repaintCase(const char* name, std::function<void(W&)> setup,
                        std::function<void(W&)> same, std::function<void(W&)> change) {
    return {name,
            [setup](QWidget& host) {
                auto* w = new W(&host);
                w->setGeometry(10, 10, 150, 150);
                setup(*w);
                return w;
            },
            [same](QWidget& w) { same(static_cast<W&>(w)); },
            [change](QWidget& w) { change(static_cast<W&>(w)); }};
}

std::vector<RepaintCase> repaintCases() {
    return {
        repaintCase<TiLedRound>(
            "TiLedRound", [](auto& w) { w.setActiveColor(QColor(254, 0, 0)); },
            [](auto& w) {
                w.setActive(false);
                w.setActiveColor(QColor(254, 0, 0));
                w.setActiveColor(QColor(253, 0, 0)); // dims to the same 84, 0, 0
            },
            [](auto& w) { w.setActiveColor(QColor(0, 255, 0)); }),
        repaintCase<TiLedRound>(
            "TiLedRound on", [](auto&) {}, [](auto& w) { w.setActive(false); },
            [](auto& w) { w.setActive(true); }),
        repaintCase<TiSwitchLed>(
            "TiSwitchLed",
            [](auto& w) {
                w.setCaption("STOP");
                w.setActiveColor(QColor(0, 255, 0));
            },
            [](auto& w) {
                w.setActiveColor(QColor(0, 255, 0));
                w.setCaption("STOP");
            },
            [](auto& w) {
                w.setActiveColor(QColor(255, 0, 0));
                w.setCaption("RUN");
            }),
        repaintCase<TiAnalogOutput>(
            "TiAnalogOutput", [](auto& w) { w.setValue(12.34); },
            [](auto& w) {
                w.setValue(12.34);
                w.setValue(12.3401); // shows the same text
            },
            [](auto& w) { w.setValue(12.35); }),
        repaintCase<TiAnalogDisplay>(
            "TiAnalogDisplay", [](auto& w) { w.setValue(230.0); },
            [](auto& w) {
                w.setValue(230.0);
                w.setValue(230.04);
            },
            [](auto& w) { w.setValue(230.1); }),
        repaintCase<TiLedBar>(
            "TiLedBar", [](auto& w) { w.setPosition(1234.0); },
            [](auto& w) { w.setPosition(100.0); }, [](auto& w) { w.setPosition(50.0); }),
        repaintCase<TiThermometer>(
            "TiThermometer", [](auto& w) { w.setPosition(150.0); },
            [](auto& w) { w.setPosition(200.0); }, [](auto& w) { w.setPosition(25.0); }),
        repaintCase<TiLinearGauge>(
            "TiLinearGauge", [](auto& w) { w.setPosition(300.0); },
            [](auto& w) {
                w.setPositionMax(380.0);
                w.setPosition(300.0);
            },
            [](auto& w) {
                w.setPositionMax(220.0);
                w.setPosition(230.0);
            }),
        repaintCase<TiKnob>(
            "TiKnob", [](auto&) {}, [](auto& w) { w.setPosition(-1.0); },
            [](auto& w) { w.setPosition(1.0); }),
        repaintCase<TiLabel>(
            "TiLabel", [](auto& w) { w.setCaption("TEMP"); }, [](auto& w) { w.setCaption("TEMP"); },
            [](auto& w) { w.setCaption("CUUR"); }),
    };
}

} // namespace

TEST(Repaint, UnchangedAssignmentsDoNotRepaintAndChangesRepaintOnce) {
    for (const RepaintCase& c : repaintCases()) {
        SCOPED_TRACE(c.name);
        QWidget host;
        host.resize(200, 200);
        QWidget* widget = c.make(host);
        // Without focus no cursor blinks and no focus frame comes and goes.
        widget->setFocusPolicy(Qt::NoFocus);
        PaintCounter paints(*widget);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        QCoreApplication::processEvents();
        ASSERT_GT(paints.count, 0) << "the widget was never painted, so counting proves nothing";

        paints.count = 0;
        c.same(*widget);
        QCoreApplication::processEvents();
        EXPECT_EQ(paints.count, 0);

        c.change(*widget);
        QCoreApplication::processEvents();
        EXPECT_EQ(paints.count, 1);
    }
}
