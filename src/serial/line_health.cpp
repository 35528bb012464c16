#include "line_health.h"

#include "tcomm.h"

#include <cerrno>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

bool LineLost(int fd) {
    termios line{};
    if (tcgetattr(fd, &line) != 0 && (errno == EIO || errno == ENXIO || errno == ENODEV)) {
        return true;
    }
    pollfd probe{fd, 0, 0};
    return ::poll(&probe, 1, 0) == 1 && (probe.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

std::optional<LineCounters> ReadLineCounters(int fd) {
    serial_icounter_struct counts{};
    if (::ioctl(fd, TIOCGICOUNT, &counts) != 0) {
        return std::nullopt;
    }
    return LineCounters{counts.frame, counts.overrun, counts.parity, counts.brk,
                        counts.buf_overrun};
}

int LineErrorsBetween(const LineCounters& before, const LineCounters& after) {
    int errors = 0;
    if (after.frame != before.frame) {
        errors |= TComm::Frame;
    }
    if (after.overrun != before.overrun) {
        errors |= TComm::Overrun;
    }
    if (after.parity != before.parity) {
        errors |= TComm::RxParity;
    }
    if (after.brk != before.brk) {
        errors |= TComm::Break;
    }
    if (after.bufOverrun != before.bufOverrun) {
        errors |= TComm::RxOver;
    }
    return errors;
}
