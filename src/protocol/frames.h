#pragma once

#include <array>
#include <cstdint>

// One Modbus RTU request as it goes on the wire: six bytes of body, CRC low byte first.
using RequestFrame = std::array<std::uint8_t, 8>;

// Read holding registers (function 03) of `count` registers from `start`.
RequestFrame BuildReadRequest(std::uint8_t address, std::uint8_t start, std::uint8_t count);

// Write single register (function 06) of `value` to `reg`.
RequestFrame BuildWriteRequest(std::uint8_t address, std::uint8_t reg, std::uint16_t value);
