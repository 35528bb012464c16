// A pseudo-terminal pair standing in for a serial line: the program under test opens the
// slave by its path, the test plays the far end on the master. Failures throw, so the
// header serves tests and benchmarks alike.
#pragma once

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

class PtyPair {
public:
    using Bytes = std::vector<std::uint8_t>;
    using Clock = std::chrono::steady_clock;

    // Raw from the start, so the far end never sees echoes or translated bytes while no
    // one has set up the slave yet.
    PtyPair() {
        termios raw{};
        cfmakeraw(&raw);
        char name[128] = {};
        if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
            throw std::runtime_error("openpty failed");
        }
        slavePath_ = name;
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair() {
        closeMaster();
        // Held for the pair's whole life: with a slave open the master never reads EIO
        // between two openings by the program under test.
        ::close(slave_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    int masterFd() const { return master_; }

    // Puts every byte on the line; throws if the line takes none for five seconds.
    void write(const Bytes& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                throw std::runtime_error("write to the pty master failed");
            } else if (!waitFor(POLLOUT, std::chrono::seconds(5))) {
                throw std::runtime_error("the pty slave takes no more bytes");
            }
        }
    }

    // Writes the pieces one after another with a pause between two pieces.
    void writeWithGaps(const std::vector<Bytes>& pieces, std::chrono::milliseconds gap) {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i != 0) {
                std::this_thread::sleep_for(gap);
            }
            write(pieces[i]);
        }
    }

    // What the far end receives until count bytes are in or the wait runs out.
    Bytes read(std::size_t count, std::chrono::milliseconds wait) {
        Bytes got;
        const auto deadline = Clock::now() + wait;
        while (got.size() < count && waitFor(POLLIN, deadline - Clock::now())) {
            std::uint8_t chunk[4096];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n > 0) {
                got.insert(got.end(), chunk, chunk + n);
            }
        }
        return got;
    }

    // The slave's line settings: master and slave share one termios.
    termios lineSettings() const {
        termios line{};
        if (tcgetattr(master_, &line) != 0) {
            throw std::runtime_error("tcgetattr on the pty master failed");
        }
        return line;
    }
    void setLineSettings(const termios& line) {
        if (tcsetattr(master_, TCSANOW, &line) != 0) {
            throw std::runtime_error("tcsetattr on the pty master failed");
        }
    }

    // Hangs the slave up, as pulling a USB adapter does to its tty.
    void closeMaster() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

private:
    bool waitFor(short events, Clock::duration left) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
        if (ms <= 0) {
            return false;
        }
        pollfd p{master_, events, 0};
        return ::poll(&p, 1, static_cast<int>(ms)) == 1 && (p.revents & events) != 0;
    }

    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};
