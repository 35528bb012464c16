#pragma once

#include <array>
#include <cstdint>

// The flags, command fields and receive buffer that the poll tick, the decoder, the
// commands and the refresh share. One zero-filled instance lives for the whole run.
struct ProtocolState {
    std::uint8_t PollPhase = 0;        // block being asked for: 0, 1 or 2
    std::uint8_t ResponseReceived = 0; // a good answer for PollPhase's block is stored
    std::int32_t WritePending = 0;     // a write command is outstanding; polling waits
    std::uint8_t WritePendingTicks = 0;
    std::uint8_t WriteRegister = 0;
    std::uint16_t WriteValue = 0;
    std::array<std::uint8_t, 255> RxBuffer{}; // the latest delivery; zeros in between
};

// Link lamp changes asked of the window.
enum class LampChange { Keep, Light, Darken };
