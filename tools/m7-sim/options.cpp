#include "options.h"

#include "commands.h"

namespace m7sim {

namespace {

constexpr int kMaxAddress = 247; // the highest unit address Modbus allows a slave
constexpr int kMinBaud = 300;
constexpr int kMaxBaud = 921600;

bool ParseInRange(std::string_view text, int low, int high, int& out) {
    const auto number = ParseNumber(text);
    if (!number || *number < static_cast<unsigned long>(low) ||
        *number > static_cast<unsigned long>(high)) {
        return false;
    }
    out = static_cast<int>(*number);
    return true;
}

// Takes the value of the option `name`; an error text when it is missing or bad.
std::string ApplyValue(std::string_view name, std::string_view value, Options& options) {
    if (name == "--address") {
        return ParseInRange(value, 1, kMaxAddress, options.address) ? ""
                                                                    : "--address takes 1 to 247";
    }
    if (name == "--baud") {
        return ParseInRange(value, kMinBaud, kMaxBaud, options.baud) ? ""
                                                                     : "--baud takes 300 to 921600";
    }
    if (name == "--fault") {
        const auto fault = ParseFault(value);
        options.fault = fault.value_or(options.fault);
        return fault ? "" : "--fault takes one of: " + std::string(FaultNames());
    }
    options.link = value;
    return value.empty() ? "--link takes a path" : "";
}

bool TakesValue(std::string_view name) {
    return name == "--address" || name == "--baud" || name == "--fault" || name == "--link";
}

} // namespace

std::variant<Options, std::string> ParseOptions(std::span<const std::string_view> args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view name = args[i];
        if (name == "--log") {
            options.log = true;
        } else if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (!TakesValue(name)) {
            return "unknown option " + std::string(name);
        } else if (i + 1 == args.size()) {
            return std::string(name) + " needs a value";
        } else if (auto error = ApplyValue(name, args[++i], options); !error.empty()) {
            return error;
        }
    }
    return options;
}

std::string Usage() {
    return "usage: m7-sim [--address N] [--baud B] [--fault NAME] [--link PATH] [--log]\n"
           "A simulated M7 controller: a Modbus RTU slave on a new pseudo-terminal.\n"
           "Prints the terminal's path on stdout, then reads commands on stdin.\n"
           "  --address N   unit address, 1 to 247 (1)\n"
           "  --baud B      line rate the answers are paced at (19200)\n"
           "  --fault NAME  " +
           std::string(FaultNames()) +
           " (none)\n"
           "  --link PATH   also make PATH a symbolic link to the terminal\n"
           "  --log         print every frame in hexadecimal on stderr\n" +
           kCommandHelp + "\n";
}

} // namespace m7sim
