#include "crc16.h"

#include <array>
#include <cstddef>

namespace {

// The reflected table for polynomial A001, split into its low and high bytes as in
// the Modbus serial-line reference: one table lookup per input byte.
struct CrcTables {
    std::array<std::uint8_t, 256> low{};
    std::array<std::uint8_t, 256> high{};
};

constexpr CrcTables MakeTables() {
    CrcTables tables;
    for (std::size_t i = 0; i < 256; ++i) {
        std::uint16_t entry = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit) {
            const bool carry = (entry & 1u) != 0;
            entry = static_cast<std::uint16_t>(entry >> 1);
            if (carry) {
                entry ^= 0xA001u;
            }
        }
        tables.low[i] = static_cast<std::uint8_t>(entry & 0xFFu);
        tables.high[i] = static_cast<std::uint8_t>(entry >> 8);
    }
    return tables;
}

constexpr CrcTables kTables = MakeTables();

static_assert(kTables.low[1] == 0xC1 && kTables.low[2] == 0x81 && kTables.low[3] == 0x40);
static_assert(kTables.high[1] == 0xC0 && kTables.high[2] == 0xC1 && kTables.high[4] == 0xC3);

} // namespace

std::uint16_t CalcCrc16(const std::uint8_t* data, std::int32_t count) {
    std::uint8_t lo = 0xFF;
    std::uint8_t hi = 0xFF;
    for (std::int32_t n = 0; n < count; ++n) {
        const std::uint8_t i = lo ^ data[n];
        lo = hi ^ kTables.low[i];
        hi = kTables.high[i];
    }
    return static_cast<std::uint16_t>(lo << 8 | hi);
}
