// The numeric field and the digital display: fixed-point text with units, typed text
// replaced by the next assignment, and the field's mouse events.

#include "ti_analog_display.h"
#include "ti_analog_output.h"

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct FormatCase {
    double value;
    int precision;
    const char* units;
    const char* shown;
};

const FormatCase formatCases[] = {
    {123.4, 1, "", "123.4"},   {50.0, 2, "", "50.00"},      {150.0, 0, "'C", "150'C"},
    {6553.5, 1, "", "6553.5"}, {-0.1, 2, "", "-0.10"},      {0.0, 1, "", "0.0"},
    {12.345, 2, "", "12.35"},  {-273.0, 0, " K", "-273 K"}, {1e6, 1, "", "1000000.0"},
};

} // namespace

TEST(NumericFormat, AnalogOutputShowsFixedPointAndUnits) {
    for (const FormatCase& c : formatCases) {
        SCOPED_TRACE(c.shown);
        TiAnalogOutput field;
        field.setPrecision(c.precision);
        field.setUnitsText(c.units);
        field.setValue(c.value);
        EXPECT_EQ(field.displayText(), c.shown);
        EXPECT_EQ(field.value(), c.value);
    }
}

TEST(NumericFormat, AnalogDisplayShowsFixedPointWithoutUnits) {
    for (const FormatCase& c : formatCases) {
        if (*c.units != '\0') {
            continue;
        }
        SCOPED_TRACE(c.shown);
        TiAnalogDisplay display;
        display.setPrecision(c.precision);
        display.setValue(c.value);
        EXPECT_EQ(display.text(), c.shown);
    }
}

TEST(NumericFormat, DisplayDefaultsAreOneDecimalAquaOnBlack) {
    TiAnalogDisplay display;
    EXPECT_EQ(display.text(), "0.0");
    EXPECT_EQ(display.fontColor(), QColor(0, 255, 255));
    EXPECT_EQ(display.backGroundColor(), QColor(0, 0, 0));
}

TEST(NumericFormat, NonFiniteValuesShowWithoutFailing) {
    TiAnalogOutput field;
    TiAnalogDisplay display;
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {std::nan(""), inf, -inf, 1e300}) {
        field.setValue(v);
        display.setValue(v);
        EXPECT_FALSE(field.displayText().isEmpty());
        EXPECT_FALSE(display.text().isEmpty());
    }
}

class AnalogOutputTest : public ::testing::Test {
protected:
    AnalogOutputTest() {
        field.resize(57, 21);
        field.setPrecision(2);
        field.setValue(12.34);
    }
    TiAnalogOutput field;
};

TEST_F(AnalogOutputTest, TypedTextIsReplacedBySettingTheSameValue) {
    field.clear();
    QTest::keyClicks(&field, "99x");
    EXPECT_EQ(field.displayText(), "99x");
    field.setValue(12.34);
    EXPECT_EQ(field.displayText(), "12.34");
}

TEST_F(AnalogOutputTest, ReturnTakesATypedNumberWithOrWithoutUnits) {
    field.setUnitsText("'C");
    struct TypedCase {
        const char* typed;
        double value;
        const char* shown;
    };
    const TypedCase cases[] = {
        {"45.6", 45.6, "45.60'C"}, {"7'C", 7.0, "7.00'C"}, {" -3.5 ", -3.5, "-3.50'C"},
        {"abc", -3.5, "-3.50'C"}, // not a number: the value stays and shows again
        {"", -3.5, "-3.50'C"},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.typed);
        field.clear();
        QTest::keyClicks(&field, c.typed);
        QTest::keyClick(&field, Qt::Key_Return);
        EXPECT_EQ(field.value(), c.value);
        EXPECT_EQ(field.displayText(), c.shown);
    }
}

TEST_F(AnalogOutputTest, MouseDownAndUpReportEveryButtonWithItsPlace) {
    QSignalSpy downs(&field, &TiAnalogOutput::OnMouseDown);
    QSignalSpy ups(&field, &TiAnalogOutput::OnMouseUp);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(&field, button, Qt::ShiftModifier, QPoint(5, 7));
        QTest::mouseRelease(&field, button, Qt::ShiftModifier, QPoint(6, 8));
    }
    ASSERT_EQ(downs.count(), 3);
    ASSERT_EQ(ups.count(), 3);
    EXPECT_EQ(downs[1][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(ups[2][0].value<Qt::MouseButton>(), Qt::MiddleButton);
    EXPECT_EQ(downs[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(downs[0][2].toInt(), 5);
    EXPECT_EQ(downs[0][3].toInt(), 7);
    EXPECT_EQ(ups[0][2].toInt(), 6);
    EXPECT_EQ(ups[0][3].toInt(), 8);
}

// The window lowers the value by 0.1 on press and raises it again on release.
TEST_F(AnalogOutputTest, PressAndReleaseHandlersSeeTheFieldBetweenThem) {
    QObject::connect(&field, &TiAnalogOutput::OnMouseDown,
                     [&] { field.setValue(field.value() - 0.1); });
    QObject::connect(&field, &TiAnalogOutput::OnMouseUp,
                     [&] { field.setValue(field.value() + 0.1); });
    QTest::mousePress(&field, Qt::RightButton);
    EXPECT_EQ(field.displayText(), "12.24");
    QTest::mouseRelease(&field, Qt::RightButton);
    EXPECT_EQ(field.displayText(), "12.34");
}

TEST_F(AnalogOutputTest, DoubleClickKeepsDownsAndUpsPaired) {
    QSignalSpy downs(&field, &TiAnalogOutput::OnMouseDown);
    QSignalSpy ups(&field, &TiAnalogOutput::OnMouseUp);
    QTest::mouseDClick(&field, Qt::LeftButton);
    QTest::mouseRelease(&field, Qt::LeftButton);
    EXPECT_EQ(downs.count(), ups.count());
    EXPECT_EQ(ups.count(), 1);
}
