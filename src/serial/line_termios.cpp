#include "line_termios.h"

#include "custom_speed.h"

#include <array>
#include <sys/ioctl.h>
#include <utility>

namespace {

using Line = TComm::LineSettings;

constexpr std::array<std::pair<quint32, speed_t>, 30> kSpeeds{{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

tcflag_t CharacterSize(TComm::TByteSize size) {
    switch (size) {
    case TComm::TByteSize::_5:
        return CS5;
    case TComm::TByteSize::_6:
        return CS6;
    case TComm::TByteSize::_7:
        return CS7;
    case TComm::TByteSize::_8:
        break;
    }
    return CS8;
}

tcflag_t ParityFlags(TComm::TParity parity) {
    switch (parity) {
    case TComm::TParity::None:
        break;
    case TComm::TParity::Odd:
        return PARENB | PARODD;
    case TComm::TParity::Even:
        return PARENB;
    case TComm::TParity::Mark:
        return PARENB | CMSPAR | PARODD;
    case TComm::TParity::Space:
        return PARENB | CMSPAR;
    }
    return 0;
}

// Linux has no 1.5 stop bits; two is the nearest the UART can do.
tcflag_t StopFlags(TComm::TStopBits bits) {
    return bits == TComm::TStopBits::_1 ? 0 : CSTOPB;
}

// Linux ties CTS output flow and RTS input flow together in CRTSCTS. DSR flow, DSR
// sensitivity, TxContinueOnXoff and the XON/XOFF limits have no termios counterpart.
tcflag_t ControlFlags(const Line& line) {
    tcflag_t flags = CharacterSize(line.byteSize) | ParityFlags(line.parity) |
                     StopFlags(line.stopBits) | CLOCAL | CREAD;
    if (line.outxCtsFlow || line.rtsControl == TComm::TRtsControl::RtsHandshake) {
        flags |= CRTSCTS;
    }
    return flags;
}

// Without IGNPAR and PARMRK a character received in error reads as NUL, the only
// replacement termios offers; with ParityCheck off parity is not looked at at all.
tcflag_t InputFlags(const Line& line) {
    tcflag_t flags = 0;
    if (line.parityCheck) {
        flags |= INPCK;
    }
    if (line.outxXonXoffFlow) {
        flags |= IXON;
    }
    if (line.inxXonXoffFlow) {
        flags |= IXOFF;
    }
    return flags;
}

constexpr tcflag_t kControlMask = CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS;
constexpr tcflag_t kInputMask = IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR |
                                ICRNL | IUCLC | IXON | IXANY | IXOFF | IMAXBEL;

void SetModemLine(int fd, int line, bool on) {
    ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

// DTR handshaking does not exist here, so DtrHandshake keeps DTR on like DtrEnable.
// RtsHandshake hands RTS to the kernel (CRTSCTS); RtsTransmissionAvailable needs a driver's
// RS-485 mode, which is board configuration on this platform, so RTS is left to the driver.
void ApplyModemLines(int fd, const Line& line) {
    SetModemLine(fd, TIOCM_DTR, line.dtrControl != TComm::TDtrControl::DtrDisable);
    if (line.rtsControl == TComm::TRtsControl::RtsEnable ||
        line.rtsControl == TComm::TRtsControl::RtsDisable) {
        SetModemLine(fd, TIOCM_RTS, line.rtsControl == TComm::TRtsControl::RtsEnable);
    }
}

} // namespace

std::optional<speed_t> StandardSpeed(quint32 baud) {
    for (const auto& [rate, speed] : kSpeeds) {
        if (rate == baud) {
            return speed;
        }
    }
    return std::nullopt;
}

termios LineTermios(const Line& line, termios current) {
    current.c_iflag = (current.c_iflag & ~kInputMask) | InputFlags(line);
    current.c_oflag &= ~OPOST;
    current.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    current.c_cflag = (current.c_cflag & ~kControlMask) | ControlFlags(line);
    current.c_cc[VMIN] = 0;
    current.c_cc[VTIME] = 0;
    current.c_cc[VSTART] = static_cast<cc_t>(line.xonChar);
    current.c_cc[VSTOP] = static_cast<cc_t>(line.xoffChar);
    if (const auto speed = StandardSpeed(line.baudRate)) {
        cfsetispeed(&current, *speed);
        cfsetospeed(&current, *speed);
    }
    return current;
}

void ApplyLineSettings(int fd, const Line& line) {
    termios current{};
    if (tcgetattr(fd, &current) == 0) {
        const termios wanted = LineTermios(line, current);
        tcsetattr(fd, TCSANOW, &wanted);
    }
    // Rate 0 would mean "hang up" to termios; it is simply not applied.
    if (line.baudRate != 0 && !StandardSpeed(line.baudRate)) {
        SetCustomSpeed(fd, line.baudRate);
    }
    ApplyModemLines(fd, line);
}
