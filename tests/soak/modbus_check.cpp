#include "modbus_check.h"

namespace soak {

namespace {

constexpr std::size_t kAnswerBytes = 25; // address, function, count, 20 data bytes, CRC
constexpr std::uint8_t kUnit = 1;

} // namespace

std::uint16_t ModbusCrc(std::span<const std::uint8_t> bytes) {
    std::uint16_t crc = 0xFFFF;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) != 0 ? static_cast<std::uint16_t>(crc >> 1 ^ 0xA001)
                                  : static_cast<std::uint16_t>(crc >> 1);
        }
    }
    return crc;
}

bool IsBlockAnswer(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kAnswerBytes || bytes[0] != kUnit || bytes[1] != 0x03 || bytes[2] != 20) {
        return false;
    }
    const std::uint16_t crc = ModbusCrc(bytes.first(kAnswerBytes - 2));
    return bytes[23] == (crc & 0xFF) && bytes[24] == crc >> 8;
}

std::optional<std::size_t> FindBlockAnswer(std::span<const std::uint8_t> bytes) {
    for (std::size_t at = 0; at + kAnswerBytes <= bytes.size(); ++at) {
        if (IsBlockAnswer(bytes.subspan(at))) {
            return at;
        }
    }
    return std::nullopt;
}

std::uint16_t AnswerRegister(std::span<const std::uint8_t> answer, int index) {
    const auto at = static_cast<std::size_t>(3 + 2 * index);
    return static_cast<std::uint16_t>(answer[at] << 8 | answer[at + 1]);
}

std::optional<std::uint8_t> MarkedBlock(std::span<const std::uint8_t> answer) {
    const int block = AnswerRegister(answer, kMarkerIndex) - kMarkerBase;
    if (block < 0 || block > 2) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(block);
}

std::array<std::uint8_t, 8> WriteFrame(std::uint8_t reg, std::uint16_t value) {
    std::array<std::uint8_t, 8> frame{kUnit,
                                      0x06,
                                      0,
                                      reg,
                                      static_cast<std::uint8_t>(value >> 8),
                                      static_cast<std::uint8_t>(value & 0xFF),
                                      0,
                                      0};
    const std::uint16_t crc = ModbusCrc(std::span(frame).first(6));
    frame[6] = static_cast<std::uint8_t>(crc & 0xFF);
    frame[7] = static_cast<std::uint8_t>(crc >> 8);
    return frame;
}

std::string Hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

} // namespace soak
