#include <QElapsedTimer>

#include "block_response.h"
#include "frames.h"
#include "pty_pair.h"
#include "window_fixture.h"

namespace {

using Bytes = PtyPair::Bytes;
using std::chrono::milliseconds;

Bytes FrameBytes(const RequestFrame& frame) {
    return Bytes(frame.begin(), frame.end());
}

} // namespace

// A window with its port open on a pseudo-terminal and communication on; the test
// plays the controller on the far end.
class LineTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form->ComboBox4->setEditText(QString::fromStdString(line.slavePath()));
        form->BitBtn7->click();
        ASSERT_TRUE(form->Comm1.isOpen());
        form->CheckBox2->click();
    }

    bool LinkLampLit() const { return form->Image14->isVisible(); }

    // Lets the serial component deliver what the far end sent.
    void Settle() { QTest::qWait(250); }

    Bytes Request() { return line.read(8, milliseconds(1000)); }

    PtyPair line;
};

TEST_F(LineTest, PollAndAnswerFillsTheImageBlockByBlock) {
    const Registers10 blocks[3] = {{5000, 0, 0, 1, 0, 0, 0, 0, 0, 0},
                                   {100, 200, 65, 257, 0, 3800, 0, 0, 0, 0},
                                   {11, 12, 13, 2300, 0, 0, 0, 0, 0, 0}};
    for (int cycle = 0; cycle < 2; ++cycle) {
        for (std::uint8_t block = 0; block < 3; ++block) {
            form->Timer1Timer();
            EXPECT_EQ(Request(), FrameBytes(BuildReadRequest(1, block * 10, 10))) << int(block);
            line.write(BlockResponse(blocks[block]));
            EXPECT_TRUE(QTest::qWaitFor([&] { return state.ResponseReceived == 1; }, 1000));
            EXPECT_TRUE(LinkLampLit());
        }
        EXPECT_EQ(form->Memo12->text(), QString::number(cycle + 1));
    }
    EXPECT_EQ(image[0], 5000);
    EXPECT_EQ(image[3], 1);
    EXPECT_EQ(image[13], 257);
    EXPECT_EQ(image[15], 3800);
    EXPECT_EQ(image[23], 2300);

    form->Timer1Timer();
    EXPECT_EQ(Request(), FrameBytes(BuildReadRequest(1, 0, 10)));
    EXPECT_TRUE(LinkLampLit()) << "an answered tick keeps the lamp lit";
    Settle();
    form->Timer1Timer();
    EXPECT_FALSE(LinkLampLit()) << "dark at the first tick after the far end fell silent";
    EXPECT_EQ(Request(), FrameBytes(BuildReadRequest(1, 0, 10))) << "the same block again";
}

TEST_F(LineTest, SplitAnswerFailsAndIsAskedForAgain) {
    form->Timer1Timer();
    Request();
    const Bytes answer = BlockResponse({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    line.writeWithGaps(
        {Bytes(answer.begin(), answer.begin() + 10), Bytes(answer.begin() + 10, answer.end())},
        milliseconds(200));
    Settle();
    EXPECT_FALSE(LinkLampLit());
    EXPECT_EQ(image[0], 0);
    form->Timer1Timer();
    EXPECT_EQ(Request(), FrameBytes(BuildReadRequest(1, 0, 10)));
}

TEST_F(LineTest, RunStopCommands) {
    const struct {
        const char* what;
        bool communicationOn;
        QString caption;
        Bytes sent;
        QString code;
    } cases[] = {
        {"STOP with communication on",
         true,
         "STOP",
         {0x01, 0x06, 0x00, 0x03, 0x00, 0x01, 0xB8, 0x0A},
         "1111"},
        {"RUN with communication on",
         true,
         "RUN",
         {0x01, 0x06, 0x00, 0x03, 0x00, 0x00, 0x79, 0xCA},
         "3333"},
        {"RUN with communication off", false, "RUN", {}, "3333"},
    };
    for (const auto& c : cases) {
        state = ProtocolState{};
        form->CheckBox2->setChecked(c.communicationOn);
        form->iSwitchLed1->setCaption(c.caption);
        QTest::mouseClick(form->iSwitchLed1, Qt::LeftButton);
        EXPECT_EQ(line.read(8, milliseconds(c.sent.empty() ? 300 : 1000)), c.sent) << c.what;
        EXPECT_EQ(form->Memo13->text(), c.code) << c.what;
        EXPECT_EQ(state.WritePending, 1) << c.what;
        for (int tick = 1; tick <= 4; ++tick) {
            form->Timer2Timer();
            EXPECT_EQ(state.WritePending, tick < 4 ? 1 : 0) << c.what << " tick " << tick;
        }
    }
}

TEST_F(LineTest, SetpointCommandsSendTheRoundedKnobPosition) {
    const struct {
        double position;
        std::uint16_t value;
    } cases[] = {{10000, 0x2710}, {0.4, 0}, {1234.5, 1234}, {1235.5, 1236}};
    for (const auto& c : cases) {
        form->iKnob1->setPosition(c.position);
        form->iKnob1Click();
        EXPECT_EQ(line.read(8, milliseconds(1000)), FrameBytes(BuildWriteRequest(1, 0, c.value)))
            << c.position;
        EXPECT_EQ(form->Memo13->text(), "0");
    }
}

TEST_F(LineTest, PollingPausesWhileACommandIsOutstanding) {
    form->Timer1Timer();
    Request();
    line.write(BlockResponse({0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.ResponseReceived == 1; }, 1000));

    form->iSwitchLed1->setCaption("STOP");
    QTest::mouseClick(form->iSwitchLed1, Qt::LeftButton);
    EXPECT_EQ(Request(), FrameBytes(BuildWriteRequest(1, 3, 1)));
    form->Timer1Timer();
    EXPECT_FALSE(LinkLampLit());
    EXPECT_TRUE(line.read(8, milliseconds(300)).empty()) << "no poll while the command waits";

    line.write(FrameBytes(BuildWriteRequest(1, 3, 1))); // the echo
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.WritePending == 0; }, 1000));
    form->Timer1Timer();
    EXPECT_EQ(Request(), FrameBytes(BuildReadRequest(1, 10, 10)))
        << "resumes with the block that was due";
}

TEST_F(LineTest, TwoCommandsBeforeAnEcho) {
    form->iKnob1->setPosition(100);
    form->iKnob1Click();
    form->iKnob1->setPosition(200);
    form->iKnob1Click();
    EXPECT_EQ(line.read(16, milliseconds(1000)), [] {
        Bytes both = FrameBytes(BuildWriteRequest(1, 0, 100));
        const Bytes second = FrameBytes(BuildWriteRequest(1, 0, 200));
        both.insert(both.end(), second.begin(), second.end());
        return both;
    }());
    EXPECT_EQ(state.WriteValue, 200);
    line.write(FrameBytes(BuildWriteRequest(1, 0, 100)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.WritePending == 0; }, 1000));
    Settle();
    line.write(FrameBytes(BuildWriteRequest(1, 0, 200)));
    Settle();
    EXPECT_FALSE(LinkLampLit()) << "the second echo fails as an answer";
    EXPECT_EQ(image[0], 0);
}
