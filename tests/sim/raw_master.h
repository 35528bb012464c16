#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "fd.h"

using Frame = std::vector<std::uint8_t>;
using SteadyClock = std::chrono::steady_clock;

Frame ReadRequest(std::uint8_t unit, std::uint16_t start, std::uint16_t count);
Frame WriteRequest(std::uint8_t unit, std::uint16_t reg, std::uint16_t value);
// The last two bytes are the CRC-16/MODBUS of the others, low byte first.
bool CrcHolds(const Frame& frame);

// What one read of the terminal returned, and when.
struct Piece {
    SteadyClock::time_point at;
    Frame bytes;
};
Frame Joined(const std::vector<Piece>& pieces);
// The longest pause between two pieces, and how many bytes came before it.
struct Gap {
    std::chrono::milliseconds length{0};
    std::size_t bytesBefore = 0;
};
Gap LongestGap(const std::vector<Piece>& pieces);

// A Modbus master of our own on the slave side of the pty: sends bytes as given and
// reports what comes back as it arrives, so the tests see the line, not a stack's view.
class RawMaster {
public:
    explicit RawMaster(const std::string& path);

    int Fd() const { return fd_.Get(); }
    // Sends `frame` and notes the time.
    void Send(const Frame& frame);
    SteadyClock::time_point SentAt() const { return sentAt_; }
    // Waits up to `first` for a byte, then collects until `quiet` passes without one.
    std::vector<Piece> Collect(std::chrono::milliseconds first, std::chrono::milliseconds quiet);
    // Send, then the 25-byte-answer collection most tests want.
    Frame Transact(const Frame& frame);

private:
    m7sim::Fd fd_;
    SteadyClock::time_point sentAt_;
};
