#include "comm_harness.h"

#include <algorithm>
#include <array>

TEST_F(CommOnPty, WritesReachTheLineWholeAndInCallOrder) {
    comm.OpenPort();
    // One buffer for every call, overwritten as soon as each call returns: the component
    // must have taken its own copy. The 10000-byte one overflows the pty and goes out in parts.
    std::array<quint8, 10000> buffer{};
    Bytes expected;
    for (const std::size_t length : {8u, 1u, 25u, 10000u, 300u, 8u, 2u}) {
        const Bytes frame = Frame(length, static_cast<std::uint8_t>(length));
        std::copy(frame.begin(), frame.end(), buffer.begin());
        EXPECT_TRUE(comm.QueueWrite(buffer.data(), static_cast<quint16>(length)));
        buffer.fill(0xEE);
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    EXPECT_EQ(pty.read(expected.size() + 1, 3s), expected);
    EXPECT_TRUE(WaitUntil([&] { return events.sendEmpties() > 0; }));
}

TEST_F(CommOnPty, QueueWriteRefusesWhatItCannotSend) {
    const Bytes frame = Frame(8);
    EXPECT_FALSE(comm.QueueWrite(frame.data(), 8)) << "port never opened";
    comm.OpenPort();
    EXPECT_FALSE(comm.QueueWrite(frame.data(), 0)) << "zero count";
    EXPECT_FALSE(comm.QueueWrite(nullptr, 8)) << "no bytes";
    comm.ClosePort();
    EXPECT_FALSE(comm.QueueWrite(frame.data(), 8)) << "port closed again";
    EXPECT_TRUE(pty.read(1, 300ms).empty());
}

TEST_F(CommOnPty, ClosingDiscardsOutputNotYetSent) {
    comm.OpenPort();
    // About twice what a pty buffers while its far end does not read.
    const Bytes big = Frame(65535);
    EXPECT_TRUE(comm.QueueWrite(big.data(), 65535));
    EXPECT_TRUE(comm.QueueWrite(big.data(), 65535));
    Pump(200ms);
    comm.ClosePort();
    EXPECT_LT(pty.read(2 * big.size(), 1s).size(), 2 * big.size());
}
