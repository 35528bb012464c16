#include "frames.h"

#include "crc16.h"

namespace {

RequestFrame Seal(std::uint8_t address, std::uint8_t function, std::uint8_t low2,
                  std::uint8_t high4, std::uint8_t low5) {
    RequestFrame frame{address, function, 0x00, low2, high4, low5, 0, 0};
    const std::uint16_t sum = CalcCrc16(frame.data(), 6);
    frame[6] = static_cast<std::uint8_t>(sum >> 8);
    frame[7] = static_cast<std::uint8_t>(sum & 0xFFu);
    return frame;
}

} // namespace

RequestFrame BuildReadRequest(std::uint8_t address, std::uint8_t start, std::uint8_t count) {
    return Seal(address, 0x03, start, 0x00, count);
}

RequestFrame BuildWriteRequest(std::uint8_t address, std::uint8_t reg, std::uint16_t value) {
    return Seal(address, 0x06, reg, static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value & 0xFFu));
}
