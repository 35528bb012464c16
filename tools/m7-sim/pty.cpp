#include "pty.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <system_error>
#include <termios.h>

namespace m7sim {

namespace {

// What a serial port driver gives a Modbus master: every byte through untouched,
// no echo, no line editing, no signals, no output translation.
void MakeRaw(int fd) {
    termios settings{};
    CheckSys(tcgetattr(fd, &settings), "tcgetattr");
    settings.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    settings.c_oflag &= ~OPOST;
    settings.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    settings.c_cflag &= ~(CSIZE | PARENB);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    CheckSys(tcsetattr(fd, TCSANOW, &settings), "tcsetattr");
}

} // namespace

Pty OpenPty() {
    Pty pty;
    pty.master = Fd(CheckSys(posix_openpt(O_RDWR | O_NOCTTY), "posix_openpt"));
    SetCloseOnExec(pty.master.Get());
    CheckSys(grantpt(pty.master.Get()), "grantpt");
    CheckSys(unlockpt(pty.master.Get()), "unlockpt");
    const char* name = ptsname(pty.master.Get());
    if (name == nullptr) {
        throw std::system_error(errno, std::generic_category(), "ptsname");
    }
    pty.path = name;
    pty.slave = Fd(CheckSys(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC), "open pty slave"));
    MakeRaw(pty.slave.Get());
    SetNonBlocking(pty.master.Get());
    return pty;
}

} // namespace m7sim
