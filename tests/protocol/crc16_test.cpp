#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "crc16.h"

namespace {

// Bit-at-a-time CRC-16/MODBUS, the textbook definition, returned in the standard
// order (high byte first) for comparison with the table-driven routine.
std::uint16_t ReferenceCrc(const std::uint8_t* data, std::size_t count) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t n = 0; n < count; ++n) {
        crc ^= data[n];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001u)
                             : static_cast<std::uint16_t>(crc >> 1);
        }
    }
    return crc;
}

std::uint16_t Swapped(std::uint16_t word) {
    return static_cast<std::uint16_t>(word << 8 | word >> 8);
}

} // namespace

TEST(CalcCrc16, CheckValueComesBackWithBytesExchanged) {
    constexpr std::string_view check = "123456789";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(check.data());
    EXPECT_EQ(CalcCrc16(bytes, 9), 0x374B);
}

TEST(CalcCrc16, EmptyAndNegativeCountsGiveInitialValue) {
    const std::uint8_t byte = 0x55;
    EXPECT_EQ(CalcCrc16(&byte, 0), 0xFFFF);
    EXPECT_EQ(CalcCrc16(&byte, -5), 0xFFFF);
    EXPECT_EQ(CalcCrc16(nullptr, 0), 0xFFFF);
}

TEST(CalcCrc16, AgreesWithBitwiseDefinitionOnEverySingleByteAndPair) {
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; b += 17) {
            const std::array<std::uint8_t, 2> run{static_cast<std::uint8_t>(a),
                                                  static_cast<std::uint8_t>(b)};
            ASSERT_EQ(CalcCrc16(run.data(), 1), Swapped(ReferenceCrc(run.data(), 1))) << a;
            ASSERT_EQ(CalcCrc16(run.data(), 2), Swapped(ReferenceCrc(run.data(), 2)))
                << a << ' ' << b;
        }
    }
}

TEST(CalcCrc16, TwentyThreeZeroBytesAreNotZero) {
    const std::array<std::uint8_t, 23> zeros{};
    EXPECT_NE(CalcCrc16(zeros.data(), 23), 0);
}
