#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "protocol_state.h"

// What a command asks of the window: whether to send the write request now, and the
// text for the command-code box, when it changes.
struct CommandResult {
    bool send = false;
    std::optional<std::string> codeText;
};

// Run/stop from the switch: "STOP" writes 1 to register 3, "RUN" writes 0; any other
// caption does nothing. The command is outstanding even with communication off.
CommandResult RunStopCommand(ProtocolState& state, std::string_view caption, bool communicationOn);

// New setpoint from the knob: its position, rounded half to even, to register 0.
CommandResult SetpointCommand(ProtocolState& state, double position, bool communicationOn);

// Once a refresh tick: gives up an unanswered command at the fourth tick.
void WriteTimeoutStep(ProtocolState& state);
