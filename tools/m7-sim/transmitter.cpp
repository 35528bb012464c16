#include "transmitter.h"

#include <algorithm>
#include <unistd.h>

namespace m7sim {

namespace {

constexpr long long kBitsPerByte = 10; // start bit, eight data bits, stop bit

} // namespace

Transmitter::Transmitter(int baud)
    : byteTime_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::nanoseconds(kBitsPerByte * 1'000'000'000LL / baud))) {}

Clock::time_point Transmitter::Queue(Frame bytes, Clock::time_point earliest, std::string label) {
    Clock::time_point start = earliest;
    if (!chunks_.empty()) {
        const Chunk& last = chunks_.back();
        start = std::max(start, Arrival(last, last.bytes.size() - 1));
    }
    chunks_.push_back(Chunk{std::move(bytes), start, std::move(label)});
    const Chunk& queued = chunks_.back();
    return Arrival(queued, queued.bytes.size() - 1);
}

std::optional<Clock::time_point> Transmitter::NextDue() const {
    if (chunks_.empty()) {
        return std::nullopt;
    }
    return Arrival(chunks_.front(), chunks_.front().sent);
}

std::size_t Transmitter::DueCount(const Chunk& chunk, Clock::time_point now) const {
    std::size_t count = chunk.sent;
    while (count < chunk.bytes.size() && Arrival(chunk, count) <= now) {
        ++count;
    }
    return count;
}

void Transmitter::Pump(Clock::time_point now, int fd, const Log& log) {
    while (!chunks_.empty()) {
        Chunk& chunk = chunks_.front();
        const std::size_t due = DueCount(chunk, now);
        if (due == chunk.sent) {
            return;
        }
        if (chunk.sent == 0) {
            log.Frame(chunk.label, chunk.bytes);
        }
        // With nobody reading the other end the pty fills up; a line loses those bytes.
        const ssize_t written = ::write(fd, chunk.bytes.data() + chunk.sent, due - chunk.sent);
        if (written < static_cast<ssize_t>(due - chunk.sent)) {
            log.Note("tx: the terminal took no more bytes");
        }
        chunk.sent = due;
        if (chunk.sent < chunk.bytes.size()) {
            return;
        }
        chunks_.pop_front();
    }
}

} // namespace m7sim
