#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "fault.h"

namespace m7sim {

// The commands read from standard input, one a line.
struct SetFault {
    Fault fault;
    bool operator==(const SetFault&) const = default;
};
struct SetAlarms {
    std::uint16_t bits;
    bool operator==(const SetAlarms&) const = default;
};
struct PinRegister {
    int reg;
    std::uint16_t value;
    bool operator==(const PinRegister&) const = default;
};
struct UnpinRegister {
    int reg;
    bool operator==(const UnpinRegister&) const = default;
};
struct ShowRegisters {
    bool operator==(const ShowRegisters&) const = default;
};
struct Quit {
    bool operator==(const Quit&) const = default;
};
struct BadCommand {
    std::string message;
    bool operator==(const BadCommand&) const = default;
};

using Command =
    std::variant<SetFault, SetAlarms, PinRegister, UnpinRegister, ShowRegisters, Quit, BadCommand>;

// Nothing for a blank line.
std::optional<Command> ParseCommand(std::string_view line);

// A whole number in decimal, or in hexadecimal after "0x" or "0X".
std::optional<unsigned long> ParseNumber(std::string_view text);

extern const char* const kCommandHelp;

} // namespace m7sim
