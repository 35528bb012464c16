// The panel against the simulated controller, driven the way an operator drives it,
// with the window's own timers running.
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "protocol_state.h"
#include "register_image.h"
#include "sim_process.h"
#include "tform1.h"

namespace {

constexpr int kCycleMs = 3000; // three blocks, one a second

} // namespace

class PanelSimTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(sim.devicePath().isEmpty());
        form = std::make_unique<TForm1>(state, image);
        form->show();
        QObject::connect(&form->Timer1, &QTimer::timeout, [this] {
            if (form->CheckBox2->isChecked()) {
                phasesAsked.push_back(state.PollPhase);
            }
        });
        form->ComboBox4->clearEditText();
        QTest::keyClicks(form->ComboBox4->lineEdit(), sim.devicePath());
        QTest::mouseClick(form->BitBtn7, Qt::LeftButton);
        ASSERT_TRUE(form->Comm1.isOpen());
        QTest::mouseClick(form->CheckBox2, Qt::LeftButton);
        ASSERT_TRUE(form->CheckBox2->isChecked());
    }

    bool WaitFor(const std::function<bool()>& done, int ms) { return QTest::qWaitFor(done, ms); }
    bool LinkLampLit() const { return form->Image14->isVisible(); }
    bool FullImage() const { return image[15] == 3800 && image[23] > 2000; }

    SimProcess sim;
    ProtocolState state;
    RegisterImage image;
    std::unique_ptr<TForm1> form;
    std::vector<int> phasesAsked;
};

TEST_F(PanelSimTest, BlocksArriveInTurnOneRequestASecond) {
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(WaitFor([&] { return form->Memo12->text() == "1"; }, 2 * kCycleMs));
    EXPECT_EQ(phasesAsked, (std::vector<int>{0, 1, 2}));
    EXPECT_GE(clock.elapsed(), 1800) << "three requests take two tick intervals at least";
    EXPECT_TRUE(FullImage());
    EXPECT_TRUE(LinkLampLit());
    QTest::qWait(600);
    EXPECT_EQ(form->iAnalogDisplay4->text(), QString::number(image[23] / 10.0, 'f', 1));
    EXPECT_EQ(form->iLinearGauge1->positionMax(), 380.0);
}

TEST_F(PanelSimTest, NothingIsStoredFromBadAnswersAndPollingResumes) {
    ASSERT_TRUE(WaitFor([&] { return FullImage(); }, 2 * kCycleMs));
    const char* const faults[] = {"bad-crc", "exception", "split", "silent"};
    std::uint16_t marker = 1000;
    for (const char* fault : faults) {
        sim.command(QString("fault ") + fault);
        sim.command(QString("set 15 %1").arg(++marker));
        QTest::qWait(kCycleMs + 500);
        EXPECT_EQ(image[15], 3800) << fault;
        EXPECT_FALSE(LinkLampLit()) << fault;
        EXPECT_TRUE(form->Comm1.isOpen()) << fault;
    }
    sim.command("fault none");
    EXPECT_TRUE(WaitFor([&] { return image[15] == marker; }, 2 * kCycleMs + 500));
    EXPECT_TRUE(WaitFor([&] { return LinkLampLit(); }, 1500));
}

TEST_F(PanelSimTest, NoisyLineStillDeliversValues) {
    ASSERT_TRUE(WaitFor([&] { return FullImage(); }, 2 * kCycleMs));
    sim.command("fault noise");
    sim.command("set 15 1111");
    EXPECT_TRUE(WaitFor([&] { return image[15] == 1111; }, 3 * kCycleMs));
}

// Answers that come after the next request are still taken: polling goes on and
// cycles complete, although a late answer is stored as the block then due.
TEST_F(PanelSimTest, SlowControllerKeepsPollingAlive) {
    ASSERT_TRUE(WaitFor([&] { return form->Memo12->text() == "1"; }, 2 * kCycleMs));
    sim.command("fault slow");
    EXPECT_TRUE(WaitFor([&] { return form->Memo12->text() == "3"; }, 4 * kCycleMs));
    EXPECT_TRUE(form->Comm1.isOpen());
}

TEST_F(PanelSimTest, VanishingDeviceClosesThePort) {
    ASSERT_TRUE(WaitFor([&] { return LinkLampLit(); }, 2 * kCycleMs));
    sim.command("vanish");
    EXPECT_TRUE(
        WaitFor([&] { return form->BitBtn7->text() == QString::fromUtf8("打开串口"); }, 2000));
    EXPECT_FALSE(form->Image20->isVisible());
    EXPECT_FALSE(form->Comm1.isOpen());
    // The tick after an answered one keeps the lamp; the one after that darkens it.
    EXPECT_TRUE(WaitFor([&] { return !LinkLampLit(); }, 2500));
}

TEST_F(PanelSimTest, SwitchAndKnobDriveTheController) {
    ASSERT_TRUE(WaitFor([&] { return form->iSwitchLed1->caption() == "RUN"; }, 2 * kCycleMs));
    QTest::mouseClick(form->iSwitchLed1, Qt::LeftButton);
    EXPECT_TRUE(
        WaitFor([&] { return form->iSwitchLed1->caption() == "STOP"; }, 2 * kCycleMs + 500));
    EXPECT_EQ(form->iSwitchLed1->activeColor(), QColor(0, 255, 0));
    QTest::mouseClick(form->iSwitchLed1, Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return form->iSwitchLed1->caption() == "RUN"; }, 2 * kCycleMs + 500));
    EXPECT_EQ(form->iSwitchLed1->activeColor(), QColor(255, 0, 0));

    // Straight up from the centre is the middle of the knob's range.
    const QPoint top(form->iKnob1->width() / 2, 12);
    QTest::mousePress(form->iKnob1, Qt::LeftButton, {}, top);
    QTest::mouseRelease(form->iKnob1, Qt::LeftButton, {}, top);
    ASSERT_DOUBLE_EQ(form->iKnob1->position(), 5000.0);
    EXPECT_TRUE(WaitFor([&] { return form->iAnalogOutput2->displayText() == "50.00"; },
                        2 * kCycleMs + 500));
}
