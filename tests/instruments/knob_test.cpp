// The setpoint knob: operator actions (drag, keys, wheel) each raise one OnClick with
// Position already current; code that sets Position raises none.

#include "instrument_test_util.h"
#include "ti_knob.h"

#include <QKeySequence>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Points 50 px from the centre of a 150x150 knob, named by where they lie on the dial.
const QPoint top(75, 25);
const QPoint right(125, 75);
const QPoint left(25, 75);
const QPoint lowerRight(125, 125); // the maximum mark
const QPoint lowerLeft(25, 125);   // the minimum mark
const QPoint bottom(75, 125);      // middle of the gap

class KnobTest : public ::testing::Test {
protected:
    KnobTest() {
        knob.resize(150, 150);
        knob.setKnobRadius(27);
        QObject::connect(&knob, &TiKnob::OnClick, [&] { positionAtClick.append(knob.position()); });
    }

    void drag(std::initializer_list<QPoint> path) {
        auto point = path.begin();
        QTest::mousePress(&knob, Qt::LeftButton, {}, *point);
        for (++point; point != path.end(); ++point) {
            QTest::mouseMove(&knob, *point);
        }
        QTest::mouseRelease(&knob, Qt::LeftButton, {}, *(path.end() - 1));
    }

    TiKnob knob;
    QList<double> positionAtClick;
};

} // namespace

TEST_F(KnobTest, DesignDefaults) {
    EXPECT_EQ(knob.positionMin(), 0.0);
    EXPECT_EQ(knob.positionMax(), 10000.0);
    EXPECT_EQ(knob.position(), 0.0);
    EXPECT_DOUBLE_EQ(knob.keyArrowStepSize(), 0.1);
    EXPECT_EQ(knob.keyPageStepSize(), 1.0);
    EXPECT_EQ(knob.mouseWheelStepSize(), 1.0);
    EXPECT_FALSE(knob.showValue());
}

TEST_F(KnobTest, DragThenReleaseRaisesOneOnClickAfterPositionIsSet) {
    QTest::mousePress(&knob, Qt::LeftButton, {}, top);
    EXPECT_DOUBLE_EQ(knob.position(), 5000.0);
    QTest::mouseMove(&knob, right);
    EXPECT_TRUE(positionAtClick.isEmpty());
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, right);
    ASSERT_EQ(positionAtClick.size(), 1);
    EXPECT_NEAR(positionAtClick[0], 10000.0 * 225 / 270, 1e-6);
}

TEST_F(KnobTest, PressAndReleaseWithoutDragStillClicksOnce) {
    drag({left});
    ASSERT_EQ(positionAtClick.size(), 1);
    EXPECT_NEAR(positionAtClick[0], 10000.0 * 45 / 270, 1e-6);
}

TEST_F(KnobTest, PressInTheGapGoesToTheNearerEnd) {
    drag({QPoint(90, 140)}); // right of the gap's middle
    EXPECT_EQ(knob.position(), 10000.0);
    drag({QPoint(60, 140)});
    EXPECT_EQ(knob.position(), 0.0);
    drag({bottom});
    EXPECT_EQ(knob.position(), 10000.0);
}

TEST_F(KnobTest, DragThroughTheGapStaysAtTheEndItCameFrom) {
    QTest::mousePress(&knob, Qt::LeftButton, {}, right);
    for (const QPoint p : {lowerRight, bottom, lowerLeft, left}) {
        QTest::mouseMove(&knob, p);
        EXPECT_EQ(knob.position(), 10000.0);
    }
    // Back the same way: the knob follows again once the pointer is on the scale.
    for (const QPoint p : {lowerLeft, bottom, lowerRight}) {
        QTest::mouseMove(&knob, p);
    }
    QTest::mouseMove(&knob, right);
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, right);
    EXPECT_NEAR(knob.position(), 10000.0 * 225 / 270, 1e-6);

    QTest::mousePress(&knob, Qt::LeftButton, {}, left);
    for (const QPoint p : {lowerLeft, bottom, lowerRight, right}) {
        QTest::mouseMove(&knob, p);
        EXPECT_EQ(knob.position(), 0.0);
    }
    QTest::mouseRelease(&knob, Qt::LeftButton, {}, right);
}

TEST_F(KnobTest, OtherButtonsDoNothing) {
    QTest::mouseClick(&knob, Qt::RightButton, {}, top);
    EXPECT_EQ(knob.position(), 0.0);
    EXPECT_TRUE(positionAtClick.isEmpty());
}

TEST_F(KnobTest, EachKeyStepClicksOnceWithTheSteppedPosition) {
    struct KeyCase {
        Qt::Key key;
        double start;
        double expected;
    };
    const KeyCase cases[] = {
        {Qt::Key_Up, 100.0, 100.1},     {Qt::Key_Right, 100.0, 100.1},
        {Qt::Key_Down, 100.0, 99.9},    {Qt::Key_Left, 100.0, 99.9},
        {Qt::Key_PageUp, 100.0, 101.0}, {Qt::Key_PageDown, 100.0, 99.0},
        {Qt::Key_Home, 100.0, 0.0},     {Qt::Key_End, 100.0, 10000.0},
        {Qt::Key_Up, 10000.0, 10000.0}, {Qt::Key_PageUp, 9999.5, 10000.0},
        {Qt::Key_Down, 0.0, 0.0},       {Qt::Key_PageDown, 0.5, 0.0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        knob.setPosition(c.start);
        positionAtClick.clear();
        QTest::keyClick(&knob, c.key);
        ASSERT_EQ(positionAtClick.size(), 1);
        EXPECT_NEAR(positionAtClick[0], c.expected, 1e-9);
    }
}

TEST_F(KnobTest, KeysThatAreNotStepsDoNothing) {
    knob.setPosition(50.0);
    QTest::keyClick(&knob, Qt::Key_A);
    QTest::keyClick(&knob, Qt::Key_Space);
    EXPECT_EQ(knob.position(), 50.0);
    EXPECT_TRUE(positionAtClick.isEmpty());
}

TEST_F(KnobTest, EachWheelNotchClicksOnce) {
    struct WheelCase {
        QList<int> angles;
        double expected;
        int clicks;
    };
    const WheelCase cases[] = {
        {{120}, 101.0, 1},     {{-120}, 99.0, 1},
        {{240}, 102.0, 2},     {{60, 60}, 101.0, 1}, // half notches add up
        {{60, -60}, 100.0, 0},
    };
    for (const WheelCase& c : cases) {
        knob.setPosition(100.0);
        positionAtClick.clear();
        for (int angle : c.angles) {
            sendWheel(knob, angle);
        }
        EXPECT_EQ(knob.position(), c.expected);
        EXPECT_EQ(positionAtClick.size(), c.clicks);
        if (!positionAtClick.isEmpty()) {
            EXPECT_EQ(positionAtClick.last(), c.expected);
        }
    }
}

TEST_F(KnobTest, WheelAtTheTopStaysThere) {
    knob.setPosition(10000.0);
    sendWheel(knob, 120);
    EXPECT_EQ(knob.position(), 10000.0);
    EXPECT_EQ(positionAtClick, (QList<double>{10000.0}));
}

TEST_F(KnobTest, SettingPositionFromCodeRaisesOnlyPositionChange) {
    QSignalSpy changes(&knob, &TiKnob::OnPositionChange);
    knob.setPosition(1234.5);
    knob.setPosition(1234.5);
    knob.setPosition(20000.0);
    knob.setPosition(-3.0);
    knob.setPosition(std::nan(""));
    EXPECT_EQ(knob.position(), 0.0);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_TRUE(positionAtClick.isEmpty());
}

TEST_F(KnobTest, OperatorActionsAlsoRaisePositionChange) {
    QSignalSpy changes(&knob, &TiKnob::OnPositionChange);
    QTest::keyClick(&knob, Qt::Key_PageUp);
    sendWheel(knob, 120);
    drag({top});
    EXPECT_EQ(changes.count(), 3);
}

TEST_F(KnobTest, OddRangesKeepThePositionInsideAndStillPaint) {
    struct RangeCase {
        double min;
        double max;
        double expected; // after setPosition(1e6)
    };
    const RangeCase cases[] = {
        {0.0, 0.0, 0.0},
        {-1e308, 1e308, 1e6},
        {5.0, -5.0, 5.0},
    };
    knob.setShowValue(true);
    for (const RangeCase& c : cases) {
        knob.setPositionMin(c.min);
        knob.setPositionMax(c.max);
        knob.setPosition(1e6);
        EXPECT_EQ(knob.position(), c.expected);
        EXPECT_FALSE(knob.grab().isNull());
        QTest::keyClick(&knob, Qt::Key_Up);
        drag({top});
        EXPECT_GE(knob.position(), std::min(c.min, c.max));
        EXPECT_LE(knob.position(), std::max(c.min, c.max));
    }
}
