// The termios a pseudo-terminal cannot show (it forces 8 data bits and no parity), and
// the driver counters a pseudo-terminal does not keep.
#include "line_health.h"
#include "line_termios.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using Line = TComm::LineSettings;
using T = TComm;

termios Cooked() {
    termios t{};
    t.c_iflag = ICRNL | ISTRIP | IXON | IGNPAR | BRKINT;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    t.c_cflag = CS7 | PARENB | HUPCL;
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return t;
}

} // namespace

TEST(LineTermios, MapsEachSettingOntoTheFlagsItControls) {
    const struct {
        const char* name;
        std::function<void(Line&)> set;
        tcflag_t termios::*field;
        tcflag_t mask;
        tcflag_t want;
    } cases[] = {
        {"defaults: 8 bits", [](Line&) {}, &termios::c_cflag, CSIZE, CS8},
        {"defaults: no parity", [](Line&) {}, &termios::c_cflag, PARENB | PARODD | CMSPAR, 0},
        {"defaults: one stop bit, no flow", [](Line&) {}, &termios::c_cflag, CSTOPB | CRTSCTS, 0},
        {"defaults: local line, receiver on", [](Line&) {}, &termios::c_cflag, CLOCAL | CREAD,
         CLOCAL | CREAD},
        {"defaults: no input processing", [](Line&) {}, &termios::c_iflag,
         IXON | IXOFF | INPCK | IGNPAR | ISTRIP | ICRNL | BRKINT, 0},
        {"defaults: raw output", [](Line&) {}, &termios::c_oflag, OPOST, 0},
        {"defaults: no line discipline", [](Line&) {}, &termios::c_lflag,
         ICANON | ECHO | ISIG | IEXTEN, 0},
        {"5 bits", [](Line& l) { l.byteSize = T::TByteSize::_5; }, &termios::c_cflag, CSIZE, CS5},
        {"6 bits", [](Line& l) { l.byteSize = T::TByteSize::_6; }, &termios::c_cflag, CSIZE, CS6},
        {"7 bits", [](Line& l) { l.byteSize = T::TByteSize::_7; }, &termios::c_cflag, CSIZE, CS7},
        {"odd", [](Line& l) { l.parity = T::TParity::Odd; }, &termios::c_cflag,
         PARENB | PARODD | CMSPAR, PARENB | PARODD},
        {"even", [](Line& l) { l.parity = T::TParity::Even; }, &termios::c_cflag,
         PARENB | PARODD | CMSPAR, PARENB},
        {"mark", [](Line& l) { l.parity = T::TParity::Mark; }, &termios::c_cflag,
         PARENB | PARODD | CMSPAR, PARENB | PARODD | CMSPAR},
        {"space", [](Line& l) { l.parity = T::TParity::Space; }, &termios::c_cflag,
         PARENB | PARODD | CMSPAR, PARENB | CMSPAR},
        {"1.5 stop bits", [](Line& l) { l.stopBits = T::TStopBits::_1_5; }, &termios::c_cflag,
         CSTOPB, CSTOPB},
        {"2 stop bits", [](Line& l) { l.stopBits = T::TStopBits::_2; }, &termios::c_cflag, CSTOPB,
         CSTOPB},
        {"CTS flow", [](Line& l) { l.outxCtsFlow = true; }, &termios::c_cflag, CRTSCTS, CRTSCTS},
        {"RTS handshake", [](Line& l) { l.rtsControl = T::TRtsControl::RtsHandshake; },
         &termios::c_cflag, CRTSCTS, CRTSCTS},
        {"parity check", [](Line& l) { l.parityCheck = true; }, &termios::c_iflag, INPCK, INPCK},
        {"XON/XOFF out", [](Line& l) { l.outxXonXoffFlow = true; }, &termios::c_iflag, IXON | IXOFF,
         IXON},
        {"XON/XOFF in", [](Line& l) { l.inxXonXoffFlow = true; }, &termios::c_iflag, IXON | IXOFF,
         IXOFF},
    };
    for (const auto& c : cases) {
        Line line;
        c.set(line);
        const termios t = LineTermios(line, Cooked());
        EXPECT_EQ(t.*(c.field) & c.mask, c.want) << c.name;
    }
}

TEST(LineTermios, SetsFlowCharactersAndNonBlockingReads) {
    Line line;
    line.xonChar = 0x05;
    line.xoffChar = 0x06;
    termios cooked = Cooked();
    cooked.c_cc[VMIN] = 1;
    cooked.c_cc[VTIME] = 5;
    const termios t = LineTermios(line, cooked);
    EXPECT_EQ(t.c_cc[VSTART], 0x05);
    EXPECT_EQ(t.c_cc[VSTOP], 0x06);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST(LineTermios, SetsNamedRatesAndLeavesOthersToTheDriver) {
    const struct {
        quint32 baud;
        speed_t want;
    } cases[] = {
        {4800, B4800},     {9600, B9600}, {19200, B19200},     {38400, B38400},
        {115200, B115200}, {50, B50},     {4000000, B4000000}, {0, B9600},
        {3, B9600},        {3840, B9600}, {14400, B9600},
    };
    for (const auto& c : cases) {
        Line line;
        line.baudRate = c.baud;
        const termios t = LineTermios(line, Cooked());
        EXPECT_EQ(cfgetospeed(&t), c.want) << c.baud << " baud";
        EXPECT_EQ(cfgetispeed(&t), c.want) << c.baud << " baud";
    }
}

TEST(LineErrorsBetween, ReportsEachCounterThatGrew) {
    const LineCounters before{3, 3, 3, 3, 3};
    const struct {
        const char* name;
        LineCounters after;
        int want;
    } cases[] = {
        {"none", {3, 3, 3, 3, 3}, 0},
        {"framing", {4, 3, 3, 3, 3}, TComm::Frame},
        {"overrun", {3, 5, 3, 3, 3}, TComm::Overrun},
        {"parity", {3, 3, 4, 3, 3}, TComm::RxParity},
        {"break", {3, 3, 3, 4, 3}, TComm::Break},
        {"input buffer full", {3, 3, 3, 3, 4}, TComm::RxOver},
        {"several", {4, 3, 4, 3, 3}, TComm::Frame | TComm::RxParity},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LineErrorsBetween(before, c.after), c.want) << c.name;
    }
}
