// The run/stop switch: one OnChange per operator click, with Active already toggled;
// nothing from code.

#include "ti_switch_led.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SwitchLedTest : public ::testing::Test {
protected:
    SwitchLedTest() {
        button.resize(177, 28);
        button.setCaption("STOP");
    }
    TiSwitchLed button;
    QSignalSpy changes{&button, &TiSwitchLed::OnChange};
};

} // namespace

TEST_F(SwitchLedTest, EachLeftClickRaisesOnChangeOnceWithActiveToggled) {
    QList<bool> activeSeen;
    QObject::connect(&button, &TiSwitchLed::OnChange, [&] { activeSeen.append(button.active()); });
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(activeSeen, (QList<bool>{true, false, true}));
}

TEST_F(SwitchLedTest, SpaceKeyClicksOnce) {
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(button.active());
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(SwitchLedTest, GesturesThatAreNotAClickRaiseNothing) {
    QTest::mouseClick(&button, Qt::RightButton);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(300, 10)); // released outside
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(button.active());
}

TEST_F(SwitchLedTest, SettingPropertiesFromCodeRaisesNothing) {
    button.setCaption("RUN");
    button.setActiveColor(QColor(255, 0, 0));
    button.setActive(true);
    button.setActive(false);
    button.setCaption("STOP");
    button.setActiveColor(QColor(0, 255, 0));
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(button.caption(), "STOP");
}
