// The LED colour rule, read back from rendered pixels: full colour while on, each
// component divided by 3 (remainder dropped) while off.

#include "instrument_test_util.h"
#include "ti_led_round.h"
#include "ti_switch_led.h"

#include <gtest/gtest.h>

namespace {

struct LedCase {
    QColor activeColor;
    bool active;
    QColor shown;
};

const LedCase ledCases[] = {
    {QColor(255, 0, 0), false, QColor(85, 0, 0)},      {QColor(0, 255, 0), false, QColor(0, 85, 0)},
    {QColor(255, 0, 0), true, QColor(255, 0, 0)},      {QColor(0, 255, 0), true, QColor(0, 255, 0)},
    {QColor(100, 200, 50), false, QColor(33, 66, 16)}, {QColor(2, 1, 0), false, QColor(0, 0, 0)},
};

std::string describe(const LedCase& c) {
    return (c.activeColor.name() + (c.active ? " on" : " off")).toStdString();
}

} // namespace

TEST(LedColour, RoundLedCentreShowsTheRuleAtSeveralSizes) {
    for (const QSize size : {QSize(20, 20), QSize(31, 31), QSize(40, 24)}) {
        for (const LedCase& c : ledCases) {
            SCOPED_TRACE(describe(c) + " at " + std::to_string(size.width()) + "x" +
                         std::to_string(size.height()));
            TiLedRound led;
            led.resize(size);
            led.setActiveColor(c.activeColor);
            led.setActive(c.active);
            EXPECT_EQ(led.shownColor(), c.shown);
            EXPECT_EQ(centrePixel(led), c.shown);
        }
    }
}

TEST(LedColour, SwitchLedStripShowsTheRule) {
    for (const LedCase& c : ledCases) {
        SCOPED_TRACE(describe(c));
        TiSwitchLed button;
        button.resize(177, 28);
        button.setCaption("STOP");
        button.setActiveColor(c.activeColor);
        button.setActive(c.active);
        const QRect strip = button.ledRect();
        ASSERT_TRUE(button.rect().contains(strip));
        EXPECT_EQ(button.shownColor(), c.shown);
        EXPECT_EQ(pixelAt(button, strip.center()), c.shown);
        EXPECT_EQ(pixelAt(button, strip.topLeft()), c.shown);
    }
}

TEST(LedColour, StripSitsAlongTheLowerEdgeInsideBorderAndMargin) {
    TiSwitchLed button;
    button.resize(177, 28);
    button.setBorderSize(2);
    button.setCaptionMargin(2);
    const QRect strip = button.ledRect();
    EXPECT_EQ(strip.bottom(), 28 - 1 - 4);
    EXPECT_EQ(strip.left(), 4);
    EXPECT_EQ(strip.right(), 177 - 1 - 4);
    EXPECT_LT(strip.height(), 28 / 3);
}

TEST(LedColour, RoundLedDefaultsToDimLime) {
    TiLedRound led;
    EXPECT_EQ(led.activeColor(), QColor(0, 255, 0));
    EXPECT_FALSE(led.active());
    EXPECT_EQ(led.shownColor(), QColor(0, 85, 0));
}
