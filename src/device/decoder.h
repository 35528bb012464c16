#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "protocol_state.h"
#include "register_image.h"

// What one delivery from the serial line asks of the window.
struct DeliveryResult {
    LampChange lamp = LampChange::Keep;
    std::optional<std::uint8_t> storedBlock; // set when a good block answer was stored
};

// Takes one delivery: the echo of an outstanding command, or the answer to the last
// read request, stored as the block PollPhase names when its CRC holds.
DeliveryResult DecodeDelivery(ProtocolState& state, RegisterImage& image,
                              const std::uint8_t* buffer, std::uint16_t length);

// The text of the complete-poll-cycle counter: decimal, at most seven characters.
std::string CycleCountText(std::int32_t cycles);
