#pragma once

// The test's own reading of the frames on the line, independent of the panel's decoder.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace soak {

// The last register of block b (9, 19, 29) is pinned to kMarkerBase + b, so every answer
// names the block it carries. The panel neither shows nor stores these registers.
inline constexpr std::uint16_t kMarkerBase = 0x5A00;
inline constexpr int kMarkerIndex = 9;

std::uint16_t ModbusCrc(std::span<const std::uint8_t> bytes);

// True when the bytes start with a whole answer of ten registers from unit 1 whose CRC holds.
bool IsBlockAnswer(std::span<const std::uint8_t> bytes);

// Where the first whole good answer begins in the bytes, if one does.
std::optional<std::size_t> FindBlockAnswer(std::span<const std::uint8_t> bytes);

// Register `index` (0-9) of a block answer.
std::uint16_t AnswerRegister(std::span<const std::uint8_t> answer, int index);

// The block an answer carries, from its marker.
std::optional<std::uint8_t> MarkedBlock(std::span<const std::uint8_t> answer);

// A write of `value` to register `reg` at unit 1, which the controller echoes byte for byte.
std::array<std::uint8_t, 8> WriteFrame(std::uint8_t reg, std::uint16_t value);

// The bytes as the simulator's log writes them: "01 03 14 ...".
std::string Hex(std::span<const std::uint8_t> bytes);

} // namespace soak
