#include "raw_master.h"

#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

#include "crc16.h"

namespace {

using namespace std::chrono_literals;

Frame WithCrc(Frame body) {
    const std::uint16_t crc = CalcCrc16(body.data(), static_cast<std::int32_t>(body.size()));
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return body;
}

Frame Request(std::uint8_t unit, std::uint8_t function, std::uint16_t a, std::uint16_t b) {
    return WithCrc({unit, function, static_cast<std::uint8_t>(a >> 8),
                    static_cast<std::uint8_t>(a & 0xFF), static_cast<std::uint8_t>(b >> 8),
                    static_cast<std::uint8_t>(b & 0xFF)});
}

} // namespace

Frame ReadRequest(std::uint8_t unit, std::uint16_t start, std::uint16_t count) {
    return Request(unit, 0x03, start, count);
}

Frame WriteRequest(std::uint8_t unit, std::uint16_t reg, std::uint16_t value) {
    return Request(unit, 0x06, reg, value);
}

bool CrcHolds(const Frame& frame) {
    return frame.size() > 2 && WithCrc(Frame(frame.begin(), frame.end() - 2)) == frame;
}

Frame Joined(const std::vector<Piece>& pieces) {
    Frame all;
    for (const Piece& piece : pieces) {
        all.insert(all.end(), piece.bytes.begin(), piece.bytes.end());
    }
    return all;
}

Gap LongestGap(const std::vector<Piece>& pieces) {
    Gap longest;
    std::size_t before = 0;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        before += pieces[i - 1].bytes.size();
        const auto gap =
            std::chrono::duration_cast<std::chrono::milliseconds>(pieces[i].at - pieces[i - 1].at);
        if (gap > longest.length) {
            longest = {gap, before};
        }
    }
    return longest;
}

RawMaster::RawMaster(const std::string& path)
    : fd_(m7sim::CheckSys(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC), "open")) {
    termios settings{};
    m7sim::CheckSys(tcgetattr(fd_.Get(), &settings), "tcgetattr");
    cfmakeraw(&settings);
    m7sim::CheckSys(tcsetattr(fd_.Get(), TCSANOW, &settings), "tcsetattr");
    m7sim::CheckSys(tcflush(fd_.Get(), TCIOFLUSH), "tcflush");
}

void RawMaster::Send(const Frame& frame) {
    sentAt_ = SteadyClock::now();
    if (::write(fd_.Get(), frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) {
        throw std::runtime_error("short write to the pty");
    }
}

std::vector<Piece> RawMaster::Collect(std::chrono::milliseconds first,
                                      std::chrono::milliseconds quiet) {
    std::vector<Piece> pieces;
    pollfd ready{fd_.Get(), POLLIN, 0};
    while (::poll(&ready, 1, static_cast<int>((pieces.empty() ? first : quiet).count())) == 1) {
        Frame chunk(256);
        const ssize_t length = ::read(fd_.Get(), chunk.data(), chunk.size());
        if (length <= 0) {
            break;
        }
        chunk.resize(static_cast<std::size_t>(length));
        pieces.push_back({SteadyClock::now(), std::move(chunk)});
    }
    return pieces;
}

Frame RawMaster::Transact(const Frame& frame) {
    Send(frame);
    return Joined(Collect(1s, 200ms));
}
