#pragma once

// When the simulated controller shows which fault, and when the operator presses the
// run/stop switch, as functions of the time since communication was switched on.
#include <QtGlobal>

namespace soak {

enum class Fault { BadCrc, Split, Noise, Slow, Silent, None };

const char* FaultName(Fault fault);

class FaultSchedule {
public:
    static constexpr qint64 kPhaseMs = 20000;
    // Every 30 s, offset so that each two-minute fault cycle has one press while the
    // controller is silent and one while it is fault-free.
    static constexpr qint64 kFirstCommandMs = 22000;
    static constexpr qint64 kCommandEveryMs = 30000;

    explicit FaultSchedule(qint64 durationMs) : durationMs_(durationMs) {}

    qint64 DurationMs() const { return durationMs_; }
    // From the end on the line is left fault-free.
    Fault At(qint64 ms) const;
    // Fault-free, with a second's grace either side of a switch.
    bool CleanNone(qint64 ms) const;
    // During a slow phase and for the time its last answers take to come in, an answer
    // can land after the next request and be stored as the block then due.
    bool SlowAftermath(qint64 ms) const;

    // During a noise phase and until its last burst is in.
    bool NoiseAftermath(qint64 ms) const;

private:
    qint64 durationMs_;
};

} // namespace soak
