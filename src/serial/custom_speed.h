// Rates without a termios B-constant. Its own file: the kernel's termios2 header cannot
// share a translation unit with <termios.h>.
#pragma once

#include <cstdint>

// Asks the driver for an arbitrary rate; false when it refuses.
bool SetCustomSpeed(int fd, std::uint32_t baud);
