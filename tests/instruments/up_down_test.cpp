// The up-down arrows attached to a numeric field: placement against the field's right
// edge, steps kept inside the range and written into the field.

#include "t_up_down.h"
#include "ti_analog_output.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {

const QPoint upArrow(7, 3);
const QPoint downArrow(7, 17);

class UpDownTest : public ::testing::Test {
protected:
    UpDownTest() {
        host.resize(200, 100);
        field->setGeometry(16, 40, 57, 21);
        field->setPrecision(2);
        arrows->resize(15, 21);
    }
    QWidget host;
    TiAnalogOutput* field = new TiAnalogOutput(&host);
    TUpDown* arrows = new TUpDown(&host);
};

} // namespace

TEST_F(UpDownTest, AttachingPlacesTheArrowsAgainstTheFieldsRightEdge) {
    arrows->setAssociate(field);
    EXPECT_EQ(arrows->geometry(), QRect(73, 40, 15, 21));
    EXPECT_EQ(field->displayText(), "0.00"); // attaching writes nothing
    host.show();                             // a hidden widget defers its move events
    field->setGeometry(20, 10, 60, 25);
    EXPECT_EQ(arrows->geometry(), QRect(80, 10, 15, 25));
}

TEST_F(UpDownTest, ArrowsStepInsideTheRangeAndWriteTheField) {
    struct StepCase {
        int start;
        int increment;
        QPoint arrow;
        int expected;
    };
    const StepCase cases[] = {
        {0, 1, upArrow, 1},     {5, 1, downArrow, 4},  {0, 1, downArrow, 0},
        {100, 1, upArrow, 100}, {98, 5, upArrow, 100}, {10, 5, downArrow, 5},
    };
    arrows->setAssociate(field);
    QSignalSpy clicks(arrows, &TUpDown::OnClick);
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.start);
        arrows->setPosition(c.start);
        arrows->setIncrement(c.increment);
        QTest::mouseClick(arrows, Qt::LeftButton, {}, c.arrow);
        EXPECT_EQ(arrows->position(), c.expected);
        EXPECT_EQ(field->value(), c.expected);
    }
    EXPECT_EQ(clicks.count(), static_cast<qsizetype>(std::size(cases)));
}

TEST_F(UpDownTest, PositionIsKeptInsideMinAndMax) {
    arrows->setPosition(500);
    EXPECT_EQ(arrows->position(), 100);
    arrows->setMax(50);
    EXPECT_EQ(arrows->position(), 50);
    arrows->setMin(-10);
    arrows->setPosition(-20);
    EXPECT_EQ(arrows->position(), -10);
}

TEST_F(UpDownTest, HugeIncrementDoesNotOverflow) {
    arrows->setMin(std::numeric_limits<int>::min());
    arrows->setMax(std::numeric_limits<int>::max());
    arrows->setPosition(std::numeric_limits<int>::max() - 1);
    arrows->setIncrement(std::numeric_limits<int>::max());
    QTest::mouseClick(arrows, Qt::LeftButton, {}, upArrow);
    EXPECT_EQ(arrows->position(), std::numeric_limits<int>::max());
}

TEST_F(UpDownTest, LosingTheFieldLeavesTheArrowsWorking) {
    arrows->setAssociate(field);
    delete field;
    QTest::mouseClick(arrows, Qt::LeftButton, {}, upArrow);
    EXPECT_EQ(arrows->position(), 1);
    EXPECT_EQ(arrows->associate(), nullptr);
}
