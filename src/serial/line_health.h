// Health of an open line: device loss, and the driver's line-error counters.
#pragma once

#include <optional>

// True once the device is gone: a USB adapter pulled, a pseudo-terminal's master closed.
// The tty is hung up then, and every call on it fails with EIO.
bool LineLost(int fd);

struct LineCounters {
    int frame = 0;
    int overrun = 0;
    int parity = 0;
    int brk = 0;
    int bufOverrun = 0;
};

// The driver's error counts; nothing when the driver keeps none (pseudo-terminals).
std::optional<LineCounters> ReadLineCounters(int fd);

// TComm::LineError bits for the counters that grew from before to after.
int LineErrorsBetween(const LineCounters& before, const LineCounters& after);
