#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace m7sim {

// Bytes as upper-case hexadecimal pairs separated by blanks.
std::string Hex(std::span<const std::uint8_t> bytes);

// The --log trace on stderr, each line stamped with the wall-clock time to the
// millisecond so that it lines up with the panel's own traces.
class Log {
public:
    explicit Log(bool enabled) : enabled_(enabled) {}

    void Frame(std::string_view label, std::span<const std::uint8_t> bytes) const;
    void Note(std::string_view text) const;

private:
    bool enabled_;
};

} // namespace m7sim
