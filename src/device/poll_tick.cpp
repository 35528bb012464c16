#include "poll_tick.h"

PollTickResult PollTick(ProtocolState& state, bool communicationOn) {
    const bool answered = state.ResponseReceived == 1;
    if (answered) {
        state.PollPhase = state.PollPhase >= 2 ? 0 : static_cast<std::uint8_t>(state.PollPhase + 1);
        state.ResponseReceived = 0;
    }
    if (!communicationOn || state.WritePending != 0) {
        return {LampChange::Darken, std::nullopt};
    }
    // A tick that finds the last request unanswered darkens the lamp, so a silent
    // controller never leaves it lit over frozen values.
    const LampChange lamp = answered ? LampChange::Keep : LampChange::Darken;
    return {lamp, static_cast<std::uint8_t>(state.PollPhase * kBlockRegisterCount)};
}
