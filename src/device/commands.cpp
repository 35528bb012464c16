#include "commands.h"

#include <cmath>
#include <cstdint>

#include "text_conv.h"

namespace {

constexpr std::uint8_t kRunStopRegister = 3;
constexpr std::uint8_t kSetpointRegister = 0;
constexpr std::uint8_t kTimeoutTicks = 3;

void MarkOutstanding(ProtocolState& state, std::uint8_t reg, std::uint16_t value) {
    state.WritePending = 1;
    state.WriteRegister = reg;
    state.WriteValue = value;
}

// Round half to even, then keep the low 16 bits. Out-of-range and non-finite
// positions are reduced without undefined conversions.
std::uint16_t RoundedLow16(double position) {
    if (!std::isfinite(position)) {
        return 0;
    }
    const double rounded = std::nearbyint(position);
    const double wrapped = std::fmod(rounded, 65536.0);
    const double positive = wrapped < 0 ? wrapped + 65536.0 : wrapped;
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(positive) & 0xFFFFu);
}

} // namespace

CommandResult RunStopCommand(ProtocolState& state, std::string_view caption, bool communicationOn) {
    std::int32_t code = 0;
    if (caption == "STOP") {
        MarkOutstanding(state, kRunStopRegister, 1);
        code = 1111;
    } else if (caption == "RUN") {
        MarkOutstanding(state, kRunStopRegister, 0);
        code = 3333;
    } else {
        return {};
    }
    return {communicationOn, LeftText(IntToText(code), 7)};
}

CommandResult SetpointCommand(ProtocolState& state, double position, bool communicationOn) {
    MarkOutstanding(state, kSetpointRegister, RoundedLow16(position));
    return {communicationOn, std::nullopt};
}

void WriteTimeoutStep(ProtocolState& state) {
    if (state.WritePending != 1) {
        state.WritePendingTicks = 0;
        return;
    }
    state.WritePendingTicks = static_cast<std::uint8_t>(state.WritePendingTicks + 1);
    if (state.WritePendingTicks > kTimeoutTicks) {
        state.WritePending = 0;
        state.WritePendingTicks = 0;
    }
}
