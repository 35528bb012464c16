#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "log.h"

namespace m7sim {

using Clock = std::chrono::steady_clock;
using Frame = std::vector<std::uint8_t>;

// The sending half of the line: bytes leave one at a time at the line rate, in the
// order they were queued, so a pty reader sees them arrive as a real port would.
class Transmitter {
public:
    explicit Transmitter(int baud);

    // Queues `bytes` (at least one) to start no earlier than `earliest` and not before everything
    // queued so far has gone; returns when the last of them will have arrived.
    Clock::time_point Queue(Frame bytes, Clock::time_point earliest, std::string label);

    // When the next byte is due; nothing while the line is idle.
    std::optional<Clock::time_point> NextDue() const;

    // Writes every byte that is due by `now` to `fd`.
    void Pump(Clock::time_point now, int fd, const Log& log);

private:
    struct Chunk {
        Frame bytes;
        Clock::time_point start;
        std::string label;
        std::size_t sent = 0;
    };

    // A byte has arrived once its ten bits have been on the line.
    Clock::time_point Arrival(const Chunk& chunk, std::size_t index) const {
        return chunk.start + byteTime_ * (index + 1);
    }
    std::size_t DueCount(const Chunk& chunk, Clock::time_point now) const;

    Clock::duration byteTime_;
    std::deque<Chunk> chunks_;
};

} // namespace m7sim
