#include "commands.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "model.h"

namespace m7sim {

const char* const kCommandHelp =
    "commands: fault NAME | vanish | alarms BITS | set REG VALUE | unset REG | show | quit";

namespace {

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    constexpr std::string_view kBlanks = " \t\r";
    for (auto start = line.find_first_not_of(kBlanks); start != std::string_view::npos;
         start = line.find_first_not_of(kBlanks, start)) {
        const auto end = std::min(line.find_first_of(kBlanks, start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end;
    }
    return words;
}

std::optional<std::uint16_t> ParseWord(std::string_view text, unsigned long max) {
    const auto number = ParseNumber(text);
    if (!number || *number > max) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*number);
}

Command Bad(std::string_view line, std::string_view why) {
    return BadCommand{"\"" + std::string(line) + "\": " + std::string(why)};
}

Command ParseFaultCommand(const std::vector<std::string_view>& words, std::string_view line) {
    const auto fault = words.size() == 2 ? ParseFault(words[1]) : std::nullopt;
    if (!fault) {
        return Bad(line, "fault names are " + std::string(FaultNames()));
    }
    return SetFault{*fault};
}

Command ParseAlarms(const std::vector<std::string_view>& words, std::string_view line) {
    const auto bits = words.size() == 2 ? ParseWord(words[1], kAlarmMask) : std::nullopt;
    if (!bits) {
        return Bad(line, "alarm bits are 0 to 0x1FF");
    }
    return SetAlarms{*bits};
}

Command ParseSet(const std::vector<std::string_view>& words, std::string_view line) {
    const auto reg = words.size() == 3 ? ParseWord(words[1], kRegisterCount - 1) : std::nullopt;
    const auto value = words.size() == 3 ? ParseWord(words[2], 0xFFFF) : std::nullopt;
    if (!reg || !value) {
        return Bad(line, "set takes a register 0 to 29 and a value 0 to 65535");
    }
    return PinRegister{*reg, *value};
}

Command ParseUnset(const std::vector<std::string_view>& words, std::string_view line) {
    const auto reg = words.size() == 2 ? ParseWord(words[1], kRegisterCount - 1) : std::nullopt;
    if (!reg) {
        return Bad(line, "unset takes a register 0 to 29");
    }
    return UnpinRegister{*reg};
}

Command ParseBare(const std::vector<std::string_view>& words, Command command,
                  std::string_view line) {
    return words.size() == 1 ? command : Bad(line, "takes no arguments");
}

} // namespace

std::optional<unsigned long> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Command> ParseCommand(std::string_view line) {
    const auto words = Words(line);
    if (words.empty()) {
        return std::nullopt;
    }
    const std::string_view verb = words[0];
    if (verb == "fault") {
        return ParseFaultCommand(words, line);
    }
    if (verb == "alarms") {
        return ParseAlarms(words, line);
    }
    if (verb == "set") {
        return ParseSet(words, line);
    }
    if (verb == "unset") {
        return ParseUnset(words, line);
    }
    if (verb == "vanish") {
        return ParseBare(words, SetFault{Fault::Vanish}, line);
    }
    if (verb == "show") {
        return ParseBare(words, ShowRegisters{}, line);
    }
    if (verb == "quit") {
        return ParseBare(words, Quit{}, line);
    }
    return Bad(line, "unknown command");
}

} // namespace m7sim
