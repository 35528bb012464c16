#pragma once

#include <optional>
#include <string_view>

namespace m7sim {

// How the simulated line misbehaves.
enum class Fault {
    None,      // answers as it should
    Silent,    // hears nothing, answers nothing
    BadCrc,    // answers with both CRC bytes inverted
    Split,     // answers in two pieces with a pause between them
    Noise,     // answers, then a burst of random bytes
    Slow,      // answers late
    Exception, // answers every request with exception 04
    Vanish,    // the device is unplugged
};

std::optional<Fault> ParseFault(std::string_view name);
std::string_view FaultName(Fault fault);
// The names, separated by blanks, for usage texts.
std::string_view FaultNames();

} // namespace m7sim
