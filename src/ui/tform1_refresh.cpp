// The twice-a-second copy of the register image onto the widgets.
#include "commands.h"
#include "tform1.h"

namespace {

const QColor kLime(0, 255, 0);
const QColor kRed(255, 0, 0);

double Tenths(std::uint16_t reg) {
    return reg / 10.0;
}

bool Bit(std::uint16_t reg, int bit) {
    return (reg >> bit & 1u) != 0;
}

} // namespace

void TForm1::Timer2Timer() {
    iAnalogOutput3->setValue(Tenths(image_[10]));
    iLedBar1->setPosition(Tenths(image_[10]));
    iAnalogOutput4->setValue(Tenths(image_[11]));
    iLedBar2->setPosition(Tenths(image_[11]));
    iAnalogOutput2->setValue(image_[0] / 100.0);
    iThermometer1->setPosition(image_[12]);
    iAnalogOutput1->setValue(image_[12]);
    WriteTimeoutStep(state_);

    const bool running = Bit(image_[3], 0);
    iSwitchLed1->setActiveColor(running ? kLime : kRed);
    iSwitchLed1->setCaption(running ? "STOP" : "RUN");

    TiLedRound* const alarms[] = {iLedRound1, iLedRound2, iLedRound3, iLedRound4, iLedRound5,
                                  iLedRound6, iLedRound7, iLedRound8, iLedRound9};
    for (int bit = 0; bit < 9; ++bit) {
        alarms[bit]->setActiveColor(Bit(image_[13], bit) ? kRed : kLime);
    }

    iAnalogDisplay1->setValue(Tenths(image_[20]));
    iAnalogDisplay2->setValue(Tenths(image_[21]));
    iAnalogDisplay3->setValue(Tenths(image_[22]));
    iAnalogDisplay4->setValue(Tenths(image_[23]));
    iLinearGauge1->setPositionMax(Tenths(image_[15]));
    iLinearGauge1->setPosition(Tenths(image_[23]));
}
