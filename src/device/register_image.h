#pragma once

#include <array>
#include <cstdint>

// The last good values of the controller's holding registers, indexed by register
// number. Only the registers the panel shows are ever stored; nothing clears them.
struct RegisterImage {
    static constexpr std::size_t kRegisterCount = 30;
    std::array<std::uint16_t, kRegisterCount> Registers{};

    std::uint16_t operator[](std::size_t reg) const { return Registers.at(reg); }
};
