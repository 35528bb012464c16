// Maps TComm's line settings onto termios and the modem-control lines.
#pragma once

#include "tcomm.h"

#include <optional>
#include <termios.h>

// The B-constant for a rate that termios names, nothing for any other rate.
std::optional<speed_t> StandardSpeed(quint32 baud);

// The termios for the settings, built on the device's current one. Always raw: every byte
// passes unchanged, nothing is echoed or translated, reads never wait.
termios LineTermios(const TComm::LineSettings& line, termios current);

// Sets all of the line at once. Whatever the device refuses stays as the device has it.
void ApplyLineSettings(int fd, const TComm::LineSettings& line);
