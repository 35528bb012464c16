// Any text through TextToInt; and every int32 read back from the texts that spell it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "text_conv.h"

namespace {

// The value comes from the first four bytes (missing ones are zero), the number of
// leading blanks from the fifth, so text seeds double as value seeds.
std::int32_t ValueOf(const std::uint8_t* data, std::size_t size) {
    std::uint8_t raw[4] = {};
    std::memcpy(raw, data, size < 4 ? size : 4);
    return static_cast<std::int32_t>(std::uint32_t{raw[0]} | std::uint32_t{raw[1]} << 8 |
                                     std::uint32_t{raw[2]} << 16 | std::uint32_t{raw[3]} << 24);
}

std::string HexText(const char* prefix, std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%X", prefix, static_cast<unsigned>(value));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextToInt(std::string_view(reinterpret_cast<const char*>(data), size));

    const std::int32_t v = ValueOf(data, size);
    const std::string decimal = std::to_string(v);
    const std::string blanks(size > 4 ? data[4] % 8 : 0, ' ');
    Require(TextToInt(decimal) == v, "TextToInt(to_string(v)) == v");
    Require(TextToInt(blanks + decimal) == v, "leading blanks are skipped");
    if (v >= 0) {
        Require(TextToInt(blanks + "+" + decimal) == v, "a '+' sign reads as positive");
    }
    Require(TextToInt(HexText("$", v)) == v, "TextToInt(\"$\" + hex(v)) == v");
    Require(TextToInt(blanks + HexText("0x", v)) == v, "TextToInt(\"0x\" + hex(v)) == v");
    return 0;
}
