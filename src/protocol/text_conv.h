#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Reads a signed 32-bit integer: blanks, an optional sign, then decimal digits or
// hexadecimal after "$", "x", "X", "0x" or "0X". Never fails: on a bad character or
// an overflow it returns the value read up to that point (without the sign), and a
// decimal value out of range comes back as its 32-bit wrap.
std::int32_t TextToInt(std::string_view text);

// Decimal text: a minus sign for negative values, no leading zeros, no blanks.
std::string IntToText(std::int32_t value);

// The first `n` characters (code points of UTF-8 text); empty when `n` <= 0.
std::string LeftText(std::string_view text, int n);
