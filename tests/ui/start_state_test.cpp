#include <QLabel>

#include "window_fixture.h"

TEST_F(WindowTest, StartState) {
    const struct {
        const char* what;
        QString shown;
        QString expected;
    } texts[] = {
        {"window caption", form->windowTitle(), "QV_Modbus RTU"},
        {"banner", form->Label1->text(), QString::fromUtf8("M7_三相控制界面  ")},
        {"port button", form->BitBtn7->text(), QString::fromUtf8("打开串口")},
        {"communication box", form->CheckBox2->text(), QString::fromUtf8("通讯")},
        {"slave address", form->ComboBox1->currentText(), "1"},
        {"port", form->ComboBox4->currentText(), "COM4"},
        {"baud rate", form->ComboBox5->currentText(), "19200"},
        {"format", form->ComboBox6->currentText(), "8_N_2"},
        {"switch caption", form->iSwitchLed1->caption(), "STOP"},
        {"setpoint field", form->iAnalogOutput2->displayText(), "0.00"},
        {"input quantity", form->iAnalogOutput3->displayText(), "0.0"},
        {"output quantity", form->iAnalogOutput4->displayText(), "0.0"},
        {"temperature", form->iAnalogOutput1->displayText(), "0'C"},
        {"current R", form->iAnalogDisplay1->text(), "0.0"},
        {"current S", form->iAnalogDisplay2->text(), "0.0"},
        {"current T", form->iAnalogDisplay3->text(), "0.0"},
        {"voltage", form->iAnalogDisplay4->text(), "0.0"},
        {"cycle counter", form->Memo12->text(), "0"},
        {"command code", form->Memo13->text(), "0"},
    };
    for (const auto& t : texts) {
        EXPECT_EQ(t.shown, t.expected) << t.what;
    }

    EXPECT_FALSE(form->Image14->isVisible()) << "link lamp unlit";
    EXPECT_TRUE(form->Image7->isVisible());
    EXPECT_FALSE(form->Image20->isVisible()) << "port lamp unlit";
    EXPECT_TRUE(form->Image9->isVisible());
    EXPECT_FALSE(form->CheckBox2->isChecked());
    EXPECT_FALSE(form->iSwitchLed1->active());
    EXPECT_EQ(form->iKnob1->position(), 0.0);
    EXPECT_EQ(form->iKnob1->positionMax(), 10000.0);
    EXPECT_EQ(form->iThermometer1->position(), 25.0);
    EXPECT_EQ(form->iLedBar1->litSegments(), 0);
    EXPECT_EQ(form->iLedBar2->litSegments(), 0);
    EXPECT_EQ(form->iLinearGauge1->positionMax(), 380.0);
    EXPECT_EQ(form->ComboBox1->count(), 255);
    EXPECT_EQ(form->ComboBox1->itemText(254), "255");
    EXPECT_EQ(form->ComboBox4->count(), 9);
    EXPECT_EQ(form->ComboBox6->itemText(2), "8_O_1");
    EXPECT_FALSE(form->Comm1.isOpen());
    EXPECT_EQ(form->Comm1.commName(), "COM4");
    EXPECT_EQ(form->Comm1.baudRate(), 19200u);
}

TEST_F(WindowTest, PlacesAndTimers) {
    EXPECT_EQ(form->pos(), QPoint(221, 101));
    EXPECT_EQ(form->Panel2->geometry(), QRect(0, 0, 801, 521));
    EXPECT_EQ(form->Panel2->mapTo(form.get(), QPoint(0, 0)), QPoint(0, 24));
    EXPECT_EQ(form->Label1->height(), 24);
    EXPECT_EQ(form->iKnob1->geometry(), QRect(88, 16, 150, 150));
    EXPECT_EQ(form->iLinearGauge1->geometry(), QRect(712, 360, 60, 96));
    EXPECT_EQ(form->Memo13->geometry(), QRect(608, 487, 73, 27));
    EXPECT_EQ(form->Image14->geometry(), form->Image7->geometry());
    EXPECT_EQ(form->Image20->geometry(), form->Image9->geometry());
    EXPECT_EQ(form->Label9->font().pixelSize(), 19);
    EXPECT_EQ(form->Memo12->font().pixelSize(), 19);
    EXPECT_TRUE(form->Memo12->font().bold());

    ProtocolState freshState;
    RegisterImage freshImage;
    TForm1 running(freshState, freshImage);
    EXPECT_TRUE(running.Timer1.isActive());
    EXPECT_EQ(running.Timer1.interval(), 1000);
    EXPECT_EQ(running.Timer1.timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(running.Timer2.isActive());
    EXPECT_EQ(running.Timer2.interval(), 500);
}

TEST_F(WindowTest, CommunicationBoxDoesNotRestartThePollTimer) {
    form->Timer1.start();
    const int before = form->Timer1.remainingTime();
    QTest::qWait(200);
    form->CheckBox2->click();
    EXPECT_TRUE(form->CheckBox2->isChecked());
    EXPECT_LT(form->Timer1.remainingTime(), before - 100);
}
