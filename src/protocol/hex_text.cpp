#include "hex_text.h"

#include <optional>

namespace {

std::optional<std::uint8_t> HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint8_t>(c - 'a' + 10);
    }
    return std::nullopt;
}

} // namespace

std::string FrameToHexText(const std::uint8_t* bytes, std::size_t length) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(length * 2);
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 0x0F]);
    }
    return text;
}

std::vector<std::uint8_t> HexTextToBytes(std::string_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 2);
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && !HexDigit(text[i])) {
            ++i;
        }
        if (i >= text.size()) {
            break;
        }
        const std::uint8_t first = *HexDigit(text[i]);
        const auto second = i + 1 < text.size() ? HexDigit(text[i + 1]) : std::nullopt;
        out.push_back(second ? static_cast<std::uint8_t>(first << 4 | *second) : first);
        i += 2;
    }
    return out;
}
