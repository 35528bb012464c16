#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Upper-case hexadecimal, two digits a byte, no separators.
std::string FrameToHexText(const std::uint8_t* bytes, std::size_t length);

// The bytes a hexadecimal text spells. Non-digits between pairs are skipped; a digit
// with no digit after it is a byte of its own, and the character after it is skipped.
std::vector<std::uint8_t> HexTextToBytes(std::string_view text);
