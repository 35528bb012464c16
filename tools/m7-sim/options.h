#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "fault.h"

namespace m7sim {

struct Options {
    int address = 1;
    int baud = 19200;
    Fault fault = Fault::None;
    std::string link; // empty: no link
    bool log = false;
    bool help = false;
};

// The arguments after the program name; an error text when they do not parse.
std::variant<Options, std::string> ParseOptions(std::span<const std::string_view> args);

std::string Usage();

} // namespace m7sim
