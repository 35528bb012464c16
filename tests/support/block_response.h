#pragma once

// Builds controller answers for tests: a read-holding-registers answer for one block
// of ten registers, with its CRC, as the controller puts it on the line.
#include <array>
#include <cstdint>
#include <vector>

#include "crc16.h"

using Registers10 = std::array<std::uint16_t, 10>;

inline std::vector<std::uint8_t> BlockResponse(const Registers10& values,
                                               std::uint8_t address = 1) {
    std::vector<std::uint8_t> frame{address, 0x03, 20};
    for (const std::uint16_t v : values) {
        frame.push_back(static_cast<std::uint8_t>(v >> 8));
        frame.push_back(static_cast<std::uint8_t>(v & 0xFF));
    }
    const std::uint16_t sum = CalcCrc16(frame.data(), static_cast<std::int32_t>(frame.size()));
    frame.push_back(static_cast<std::uint8_t>(sum >> 8));
    frame.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    return frame;
}
