#include "text_conv.h"

#include <optional>

namespace {

// Where the digits of a number start and which base they are in.
struct NumberStart {
    std::size_t pos;
    bool hex;
};

NumberStart FindNumberStart(std::string_view text, std::size_t pos) {
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) {
        return {pos + 1, true};
    }
    if (pos + 1 < text.size() && text[pos] == '0' &&
        (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        return {pos + 2, true};
    }
    return {pos, false};
}

std::optional<std::uint32_t> DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint32_t>(c - '0');
    }
    if (hex && c >= 'A' && c <= 'F') {
        return static_cast<std::uint32_t>(c - 'A' + 10);
    }
    if (hex && c >= 'a' && c <= 'f') {
        return static_cast<std::uint32_t>(c - 'a' + 10);
    }
    return std::nullopt;
}

// Accumulates digits from `pos`. Returns the value and whether every remaining
// character was a digit (at least one) with no overflow.
std::pair<std::uint32_t, bool> ReadDigits(std::string_view text, std::size_t pos, bool hex) {
    const std::uint32_t base = hex ? 16u : 10u;
    const std::uint32_t guard = hex ? 0x0FFFFFFFu : 214748364u;
    std::uint32_t value = 0;
    if (pos >= text.size()) {
        return {0, false};
    }
    for (; pos < text.size(); ++pos) {
        const auto digit = DigitValue(text[pos], hex);
        if (!digit || value > guard) {
            return {value, false};
        }
        value = value * base + *digit;
    }
    return {value, true};
}

std::int32_t AsSigned(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
}

} // namespace

std::int32_t TextToInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const NumberStart start = FindNumberStart(text, pos);
    const auto [value, complete] = ReadDigits(text, start.pos, start.hex);
    if (!complete) {
        return AsSigned(value);
    }
    // A decimal value out of range fails its final test, and the value that failed
    // is the result: so accepted or not, it is the 32-bit wrap of the signed value.
    return AsSigned(negative ? 0u - value : value);
}

std::string IntToText(std::int32_t value) {
    return std::to_string(value);
}

std::string LeftText(std::string_view text, int n) {
    if (n <= 0) {
        return {};
    }
    std::size_t end = 0;
    int count = 0;
    while (end < text.size()) {
        const bool continuation = (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u;
        if (!continuation && count++ == n) {
            break;
        }
        ++end;
    }
    return std::string(text.substr(0, end));
}
