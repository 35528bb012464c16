#pragma once

#include <cstdint>
#include <optional>

#include "protocol_state.h"

// What one poll tick asks of the window.
struct PollTickResult {
    LampChange lamp = LampChange::Keep;
    std::optional<std::uint8_t> requestStart; // first register of the block to read
};

inline constexpr std::uint8_t kBlockRegisterCount = 10;

// One tick of the once-a-second poll cycle: move on after a stored answer, then
// either hold (communication off, or a command outstanding) or ask for the block.
PollTickResult PollTick(ProtocolState& state, bool communicationOn);
