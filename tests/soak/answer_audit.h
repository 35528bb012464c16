#pragma once

// Holds the panel to "every good answer is stored": each good answer it receives must be
// in the register image as the block it carries, and each request sent while the line is
// fault-free must get exactly one such answer before the next poll tick.
#include <cstdint>
#include <optional>
#include <span>

#include "failure_log.h"
#include "fault_schedule.h"
#include "protocol_state.h"
#include "register_image.h"

namespace soak {

struct AnswerCounts {
    int requests = 0;
    int good = 0;       // good answers the panel received
    int stored = 0;     // of those, found in the register image
    int storedLate = 0; // of those, stored as another block than they carry (slow)
    int lost = 0;       // good answers not stored
    int buried = 0;     // whole answers behind other bytes in one delivery (noise)
    int cleanRequests = 0;
    int cleanAnswered = 0;
};

// A good answer as the panel took it.
struct TakenAnswer {
    std::uint8_t block;   // the block it carries
    bool storedAsCarried; // in the image as that block
};

class AnswerAudit {
public:
    AnswerAudit(const ProtocolState& state, const RegisterImage& image,
                const FaultSchedule& schedule, FailureLog& failures)
        : state_(state), image_(image), schedule_(schedule), failures_(failures) {}

    // After each poll tick: whether it sent a read request (for state.PollPhase).
    void PollTick(qint64 ms, bool requestSent);
    // After the panel took a good answer; `commandOutstanding` as it was just before.
    std::optional<TakenAnswer> Answer(qint64 ms, std::span<const std::uint8_t> answer,
                                      bool commandOutstanding);
    // A delivery holding a whole answer behind `offset` other bytes: line noise within the
    // read gap before the answer makes the delivery a bad one.
    void Buried(qint64 ms, std::size_t offset);
    const AnswerCounts& Counts() const { return counts_; }

private:
    struct Interval {
        bool request = false;
        bool clean = false;
        std::uint8_t block = 0;
        qint64 sentMs = 0;
        int good = 0;
        int storedRight = 0;
    };

    void CloseInterval();
    bool ImageHolds(std::span<const std::uint8_t> answer, std::uint8_t block) const;

    const ProtocolState& state_;
    const RegisterImage& image_;
    const FaultSchedule& schedule_;
    FailureLog& failures_;
    AnswerCounts counts_;
    Interval interval_;
};

} // namespace soak
