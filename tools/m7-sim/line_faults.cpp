#include "line_faults.h"

#include <algorithm>

namespace m7sim {

namespace {

using std::chrono::milliseconds;

// Modbus wants at least 3.5 characters of silence before an answer; a device takes a
// little longer to think.
constexpr milliseconds kTurnaround{3};
// Beyond the panel's 100 ms read gap: the panel gets the two pieces as two deliveries.
constexpr milliseconds kSplitPause{150};
constexpr std::size_t kSplitFirstPiece = 10;
// Past the panel's next poll one second after the request.
constexpr milliseconds kSlowDelay{1500};
// Apart from the answer (beyond the read gap) and well before the next poll.
constexpr milliseconds kNoiseDelay{300};
constexpr int kNoiseMin = 8;
constexpr int kNoiseMax = 16;

Frame NoiseBurst(std::mt19937& random) {
    std::uniform_int_distribution<int> length(kNoiseMin, kNoiseMax);
    std::uniform_int_distribution<int> byte(0, 255);
    Frame noise(static_cast<std::size_t>(length(random)));
    std::generate(noise.begin(), noise.end(),
                  [&] { return static_cast<std::uint8_t>(byte(random)); });
    return noise;
}

void QueueSplit(Transmitter& line, Frame answer, Clock::time_point start) {
    const auto cut = static_cast<std::ptrdiff_t>(std::min(kSplitFirstPiece, answer.size() / 2));
    const auto end = line.Queue(Frame(answer.begin(), answer.begin() + cut), start, "tx part 1");
    line.Queue(Frame(answer.begin() + cut, answer.end()), end + kSplitPause, "tx part 2");
}

} // namespace

void QueueAnswer(Transmitter& line, Fault fault, Frame answer, Clock::time_point received,
                 std::mt19937& random) {
    const Clock::time_point start = received + kTurnaround;
    switch (fault) {
    case Fault::BadCrc:
        answer[answer.size() - 2] ^= 0xFF;
        answer[answer.size() - 1] ^= 0xFF;
        line.Queue(std::move(answer), start, "tx bad crc");
        break;
    case Fault::Split:
        QueueSplit(line, std::move(answer), start);
        break;
    case Fault::Slow:
        line.Queue(std::move(answer), received + kSlowDelay, "tx slow");
        break;
    case Fault::Noise: {
        const Clock::time_point end = line.Queue(std::move(answer), start, "tx");
        line.Queue(NoiseBurst(random), end + kNoiseDelay, "tx noise");
        break;
    }
    default:
        line.Queue(std::move(answer), start, "tx");
        break;
    }
}

} // namespace m7sim
