#pragma once

// Holds the panel to "no command is lost without its time-out": every press of the
// run/stop switch must be cleared, by its echo or after four refresh ticks, a time-out
// only where the controller gives no echo, and the controller must then read the run
// state the command asked for (unchanged where it ignores writes), as must the switch.
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "failure_log.h"
#include "fault_schedule.h"
#include "protocol_state.h"

namespace soak {

struct CommandCounts {
    int sent = 0;
    int echoed = 0;
    int timedOut = 0;
    int verified = 0; // cleared, then the controller's run state and the switch agreed
};

class CommandAudit {
public:
    CommandAudit(const ProtocolState& state, const FaultSchedule& schedule, FailureLog& failures)
        : state_(state), schedule_(schedule), failures_(failures) {}

    // After the operator pressed the switch, which showed `caption`.
    void Pressed(qint64 ms, const QString& caption);
    // A delivery that cleared the outstanding command.
    void Cleared(std::span<const std::uint8_t> delivery);
    // After each refresh tick: the caption it left, and whether it cleared the command.
    void RefreshTick(const QString& caption, bool cleared);
    // A good answer carrying block 0; `stored` when the panel stored it as block 0.
    void RunStateSeen(bool running, bool stored);

    bool Settled() const;
    // Reports each command that never settled.
    void Finish();
    CommandCounts Counts() const;

private:
    enum class Outcome { Pending, Echoed, TimedOut };
    struct Command {
        qint64 ms;
        Fault fault;
        std::uint16_t value;
        Outcome outcome = Outcome::Pending;
        int refreshTicks = 0;
        bool stateSeen = false;
        bool captionSeen = false;
    };

    bool Done(const Command& command) const;
    std::string Describe(const Command& command) const;
    Command* Outstanding();

    const ProtocolState& state_;
    const FaultSchedule& schedule_;
    FailureLog& failures_;
    std::vector<Command> commands_; // one every 30 s
    bool expectedRunning_ = false;  // the controller starts stopped
    std::optional<QString> captionDue_;
    int echoed_ = 0;
    int timedOut_ = 0;
};

} // namespace soak
