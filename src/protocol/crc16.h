#pragma once

#include <cstdint>

// CRC-16/MODBUS of `count` bytes, with its two bytes exchanged: the CRC's low byte
// is in the high half of the result, so writing the word high byte first gives the
// wire order (CRC low byte first). Zero or negative counts give FFFF.
std::uint16_t CalcCrc16(const std::uint8_t* data, std::int32_t count);
