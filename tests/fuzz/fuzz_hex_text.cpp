// Any text through HexTextToBytes, and any bytes through the hex pass and back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "hex_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Require(HexTextToBytes(text).size() <= (size + 1) / 2, "at most one byte per two characters");

    const auto back = HexTextToBytes(FrameToHexText(data, size));
    Require(back.size() == size && std::equal(back.begin(), back.end(), data),
            "HexTextToBytes(FrameToHexText(bytes)) == bytes");
    return 0;
}
