#include "fault_schedule.h"

#include <array>

namespace soak {

namespace {

constexpr std::array kCycle{Fault::BadCrc, Fault::Split,  Fault::Noise,
                            Fault::Slow,   Fault::Silent, Fault::None};
constexpr qint64 kSwitchGraceMs = 1000;
// A slow answer comes 1.5 s after its request, then waits out the 100 ms read gap.
constexpr qint64 kSlowTailMs = 3000;
// A burst comes 300 ms after its answer or echo.
constexpr qint64 kNoiseTailMs = 1000;

} // namespace

const char* FaultName(Fault fault) {
    switch (fault) {
    case Fault::BadCrc:
        return "bad-crc";
    case Fault::Split:
        return "split";
    case Fault::Noise:
        return "noise";
    case Fault::Slow:
        return "slow";
    case Fault::Silent:
        return "silent";
    case Fault::None:
        return "none";
    }
    return "none";
}

Fault FaultSchedule::At(qint64 ms) const {
    if (ms < 0 || ms >= durationMs_) {
        return Fault::None;
    }
    return kCycle[static_cast<std::size_t>(ms / kPhaseMs) % kCycle.size()];
}

bool FaultSchedule::CleanNone(qint64 ms) const {
    return At(ms - kSwitchGraceMs) == Fault::None && At(ms) == Fault::None &&
           At(ms + kSwitchGraceMs) == Fault::None && !SlowAftermath(ms);
}

bool FaultSchedule::SlowAftermath(qint64 ms) const {
    return At(ms) == Fault::Slow || At(ms - kSlowTailMs) == Fault::Slow;
}

bool FaultSchedule::NoiseAftermath(qint64 ms) const {
    return At(ms) == Fault::Noise || At(ms - kNoiseTailMs) == Fault::Noise;
}

} // namespace soak
