// Positions kept inside their ranges for the bar, thermometer and gauge, the bar's lit
// segments, and the scale ticks they draw.

#include "ti_led_bar.h"
#include "ti_linear_gauge.h"
#include "ti_support.h"
#include "ti_thermometer.h"

#include <QSignalSpy>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct ClampCase {
    double set;
    double kept;
};

const ClampCase clampCases[] = {
    {1234.0, 100.0}, {150.0, 100.0},    {100.0, 100.0},   {42.5, 42.5},
    {-7.0, 0.0},     {INFINITY, 100.0}, {-INFINITY, 0.0},
};

std::vector<std::pair<const char*, std::function<std::unique_ptr<TiRangeWidget>()>>> makers() {
    return {
        {"TiLedBar", [] { return std::make_unique<TiLedBar>(); }},
        {"TiThermometer", [] { return std::make_unique<TiThermometer>(); }},
        {"TiLinearGauge", [] { return std::make_unique<TiLinearGauge>(); }},
    };
}

} // namespace

TEST(RangeClamp, PositionStaysInsideZeroToHundred) {
    for (const auto& [name, make] : makers()) {
        for (const ClampCase& c : clampCases) {
            SCOPED_TRACE(std::string(name) + " set " + std::to_string(c.set));
            const auto widget = make();
            widget->setPositionMax(100.0);
            widget->setPosition(c.set);
            EXPECT_EQ(widget->position(), c.kept);
        }
    }
}

// NaN leaves the position as it was; NaN or infinite range ends are ignored.
TEST(RangeClamp, NanChangesNothing) {
    for (const auto& [name, make] : makers()) {
        SCOPED_TRACE(name);
        const auto widget = make();
        widget->setPositionMax(100.0);
        widget->setPosition(30.0);
        QSignalSpy changes(widget.get(), &TiRangeWidget::OnPositionChange);
        widget->setPosition(std::nan(""));
        widget->setPositionMax(std::nan(""));
        widget->setPositionMin(-INFINITY);
        EXPECT_EQ(widget->position(), 30.0);
        EXPECT_EQ(widget->positionMax(), 100.0);
        EXPECT_EQ(widget->positionMin(), 0.0);
        EXPECT_EQ(changes.count(), 0);
    }
}

TEST(RangeClamp, GaugeStartsOverItsDesignRange) {
    TiLinearGauge gauge;
    EXPECT_EQ(gauge.positionMin(), 0.0);
    EXPECT_EQ(gauge.positionMax(), 380.0);
    EXPECT_EQ(gauge.pointerColor(), QColor(0, 0, 255));
}

TEST(RangeClamp, LoweringTheGaugeTopPullsThePointerBackAtOnce) {
    TiLinearGauge gauge;
    gauge.setPosition(300.0);
    gauge.setPositionMax(220.0);
    EXPECT_EQ(gauge.position(), 220.0);
    gauge.setPosition(230.0);
    EXPECT_EQ(gauge.position(), 220.0);
    gauge.setPositionMax(380.0);
    EXPECT_EQ(gauge.position(), 220.0); // a wider range does not move it back up
}

TEST(RangeClamp, RaisingTheMinimumPullsThePositionUp) {
    TiThermometer thermometer;
    thermometer.setPosition(25.0);
    thermometer.setPositionMin(40.0);
    EXPECT_EQ(thermometer.position(), 40.0);
}

TEST(RangeClamp, ZeroWidthRangeHoldsZeroAndPaints) {
    for (const auto& [name, make] : makers()) {
        SCOPED_TRACE(name);
        const auto widget = make();
        widget->resize(60, 96);
        widget->setPosition(50.0);
        widget->setPositionMax(0.0);
        EXPECT_EQ(widget->position(), 0.0);
        widget->setPosition(230.0);
        EXPECT_EQ(widget->position(), 0.0);
        EXPECT_FALSE(widget->grab().toImage().isNull());
    }
}

TEST(LedBar, SegmentsLightInProportionFromTheBottom) {
    TiLedBar bar;
    bar.resize(25, 153);
    const int all = bar.segmentCount();
    ASSERT_GT(all, 10);
    const ClampCase cases[] = {{0.0, 0.0}, {100.0, 1.0}, {1234.0, 1.0}, {50.0, 0.5}, {-5.0, 0.0}};
    for (const ClampCase& c : cases) {
        SCOPED_TRACE(c.set);
        bar.setPosition(c.set);
        EXPECT_EQ(bar.litSegments(), std::lround(c.kept * all));
    }
}

// Walks up the middle column counting runs of lit and unlit segment colour.
TEST(LedBar, LitSegmentsShowTheActiveColourBelowTheUnlitOnes) {
    TiLedBar bar;
    bar.resize(25, 153);
    bar.setActiveColor(QColor(255, 255, 0));
    bar.setBackGroundColor(QColor(192, 192, 192));
    bar.setPosition(50.0);
    const QImage image = bar.grab().toImage();
    int litRuns = 0;
    int offRuns = 0;
    QColor previous;
    for (int y = bar.height() - 1; y >= 0; --y) {
        const QColor c = image.pixelColor(bar.width() / 2, y);
        if (c != previous && c == QColor(255, 255, 0)) {
            EXPECT_EQ(offRuns, 0) << "lit segment above an unlit one at row " << y;
            ++litRuns;
        } else if (c != previous && c == QColor(85, 85, 0)) {
            ++offRuns;
        }
        previous = c;
    }
    EXPECT_EQ(litRuns, bar.litSegments());
    EXPECT_EQ(offRuns, bar.segmentCount() - bar.litSegments());
}

TEST(ScaleTicks, RoundStepsOverTheDesignRanges) {
    struct TickCase {
        double min;
        double max;
        int intervals;
        QList<double> ticks;
    };
    const TickCase cases[] = {
        {0, 100, 5, {0, 20, 40, 60, 80, 100}},
        {0, 380, 4, {0, 100, 200, 300}},
        {0, 10000, 5, {0, 2000, 4000, 6000, 8000, 10000}},
        {0, 0, 4, {0}},
        {-1, 1, 4, {-1, -0.5, 0, 0.5, 1}},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max));
        EXPECT_EQ(ti::majorTicks(c.min, c.max, c.intervals), c.ticks);
    }
}
