// What the far end of a pty sees of the line settings. A pty forces 8 data bits and drops
// PARENB, but keeps the speed, PARODD, CSTOPB, CRTSCTS, IXOFF, INPCK and the flow characters.
#include "comm_harness.h"

namespace {

// Marks the line the way no setting of the component would leave it, so that the next
// application of the settings shows.
void Disturb(PtyPair& pty) {
    termios line = pty.lineSettings();
    cfsetispeed(&line, B1200);
    cfsetospeed(&line, B1200);
    line.c_cflag |= CSTOPB;
    line.c_cc[VSTART] = 0x01;
    pty.setLineSettings(line);
}

speed_t Speed(const PtyPair& pty) {
    const termios line = pty.lineSettings();
    return cfgetospeed(&line);
}

const struct StoredSetting {
    const char* name;
    std::function<void(TComm&)> set;
    std::function<bool(const termios&)> shows;
} kStoredSettings[] = {
    {"Parity Odd", [](TComm& c) { c.setParity(TComm::TParity::Odd); },
     [](const termios& t) { return (t.c_cflag & PARODD) != 0; }},
    {"StopBits 2", [](TComm& c) { c.setStopBits(TComm::TStopBits::_2); },
     [](const termios& t) { return (t.c_cflag & CSTOPB) != 0; }},
    {"Outx_CtsFlow", [](TComm& c) { c.setOutx_CtsFlow(true); },
     [](const termios& t) { return (t.c_cflag & CRTSCTS) != 0; }},
    {"Inx_XonXoffFlow", [](TComm& c) { c.setInx_XonXoffFlow(true); },
     [](const termios& t) { return (t.c_iflag & IXOFF) != 0; }},
    {"ParityCheck", [](TComm& c) { c.setParityCheck(true); },
     [](const termios& t) { return (t.c_iflag & INPCK) != 0; }},
    {"XonChar", [](TComm& c) { c.setXonChar(0x05); },
     [](const termios& t) { return t.c_cc[VSTART] == 0x05; }},
};

} // namespace

TEST_F(CommOnPty, OpeningAppliesTheCurrentProperties) {
    comm.setBaudRate(9600);
    comm.setParity(TComm::TParity::Odd);
    comm.OpenPort();
    const termios line = pty.lineSettings();
    EXPECT_EQ(cfgetospeed(&line), B9600);
    EXPECT_NE(line.c_cflag & PARODD, 0u);
    EXPECT_EQ(line.c_cflag & (CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | INPCK), 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(line.c_cc[VSTART], 17);
    EXPECT_EQ(line.c_cc[VSTOP], 19);
}

TEST_F(CommOnPty, ADifferentBaudRateReappliesEverySetting) {
    comm.OpenPort();
    Disturb(pty);
    comm.setBaudRate(38400);
    const termios line = pty.lineSettings();
    EXPECT_EQ(cfgetospeed(&line), B38400);
    EXPECT_EQ(line.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(line.c_cc[VSTART], 17);
}

TEST_F(CommOnPty, TheSameBaudRateAppliesNothing) {
    comm.OpenPort();
    Disturb(pty);
    comm.setBaudRate(19200);
    Pump(100ms);
    EXPECT_EQ(Speed(pty), B1200);
    EXPECT_NE(pty.lineSettings().c_cflag & CSTOPB, 0u);
}

TEST_F(CommOnPty, ABaudRateSetWhileClosedIsOnlyStored) {
    comm.OpenPort();
    comm.ClosePort();
    Disturb(pty);
    comm.setBaudRate(4800);
    EXPECT_EQ(Speed(pty), B1200);
    comm.OpenPort();
    EXPECT_EQ(Speed(pty), B4800);
}

TEST_F(CommOnPty, OtherSettingsWaitForTheNextBaudChange) {
    for (const StoredSetting& s : kStoredSettings) {
        SCOPED_TRACE(s.name);
        TComm fresh;
        fresh.setCommName(NameOf(pty));
        fresh.OpenPort();
        s.set(fresh);
        Pump(100ms);
        EXPECT_FALSE(s.shows(pty.lineSettings())) << "applied while only stored";
        fresh.setBaudRate(9600);
        EXPECT_TRUE(s.shows(pty.lineSettings())) << "not applied with the new rate";
        EXPECT_EQ(Speed(pty), B9600);
    }
}

TEST_F(CommOnPty, OtherSettingsWaitForTheNextOpening) {
    for (const StoredSetting& s : kStoredSettings) {
        SCOPED_TRACE(s.name);
        TComm fresh;
        fresh.setCommName(NameOf(pty));
        fresh.OpenPort();
        s.set(fresh);
        Pump(100ms);
        EXPECT_FALSE(s.shows(pty.lineSettings())) << "applied while only stored";
        fresh.ClosePort();
        fresh.OpenPort();
        EXPECT_TRUE(s.shows(pty.lineSettings())) << "not applied at the opening";
    }
}
