#pragma once

// The soak's clock and what it found wrong, each finding stamped with the soak time and
// the wall-clock time the simulator's log uses.
#include <QElapsedTimer>
#include <QTime>
#include <string>
#include <vector>

namespace soak {

class SoakClock {
public:
    void Start() { timer_.start(); }
    qint64 Ms() const { return timer_.isValid() ? timer_.elapsed() : 0; }

private:
    QElapsedTimer timer_;
};

class FailureLog {
public:
    explicit FailureLog(const SoakClock& clock) : clock_(clock) {}

    void Add(const std::string& what) {
        ++count_;
        if (kept_.size() < kKept) {
            const QString wall = QTime::currentTime().toString("HH:mm:ss.zzz");
            kept_.push_back("t=" + std::to_string(clock_.Ms()) + " ms (" + wall.toStdString() +
                            "): " + what);
        }
    }
    int Count() const { return count_; }
    // The first findings only: a fault that repeats must not grow the test's own memory.
    const std::vector<std::string>& First() const { return kept_; }

private:
    static constexpr std::size_t kKept = 25;
    const SoakClock& clock_;
    int count_ = 0;
    std::vector<std::string> kept_;
};

} // namespace soak
