#include "comm_harness.h"

#include <thread>

namespace {

std::vector<Bytes> Split(const Bytes& bytes, std::size_t piece) {
    std::vector<Bytes> pieces;
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
        pieces.emplace_back(bytes.begin() + i, bytes.begin() + std::min(i + piece, bytes.size()));
    }
    return pieces;
}

} // namespace

TEST_F(CommOnPty, AFrameArrivesAsOneDelivery) {
    comm.OpenPort();
    pty.write(Frame(8));
    settle();
    EXPECT_EQ(events.deliveries(), std::vector<Bytes>{Frame(8)});
}

TEST_F(CommOnPty, SilenceLongerThanTheIntervalEndsARead) {
    const struct {
        const char* name;
        quint32 intervalAtOpen;
        quint32 intervalWhileOpen;
        std::chrono::milliseconds gap;
        std::size_t deliveries;
    } cases[] = {
        {"gaps well under 100 ms", 100, 100, 10ms, 1},
        {"gaps well over 100 ms", 100, 100, 300ms, 4},
        {"interval raised while open", 100, 600, 300ms, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        comm.setReadIntervalTimeout(c.intervalAtOpen);
        comm.OpenPort();
        comm.setReadIntervalTimeout(c.intervalWhileOpen);
        CommEvents got(comm);
        const Bytes sent = Frame(8);
        std::thread farEnd([&] { pty.writeWithGaps(Split(sent, 2), c.gap); });
        WaitUntil([&] { return got.received().size() == sent.size(); }, 5s);
        farEnd.join();
        Pump(std::chrono::milliseconds(c.intervalWhileOpen + 300));
        EXPECT_EQ(got.deliveries().size(), c.deliveries);
        EXPECT_EQ(got.received(), sent);
        comm.ClosePort();
    }
}

TEST_F(CommOnPty, AReadEndsAt4096Bytes) {
    comm.OpenPort();
    const Bytes sent = Frame(5000);
    pty.write(sent);
    WaitUntil([&] { return events.received().size() == sent.size(); });
    Pump(300ms);
    ASSERT_EQ(events.deliveries().size(), 2u);
    EXPECT_EQ(events.deliveries()[0].size(), 4096u);
    EXPECT_EQ(events.deliveries()[1].size(), 904u);
    EXPECT_EQ(events.received(), sent);
}

TEST_F(CommOnPty, NothingReadBeforeAClosingIsDeliveredAfterIt) {
    const struct {
        const char* name;
        std::function<void()> beforeClose;
    } cases[] = {
        {"read still gathering bytes", [] { Pump(30ms); }},
        // The GUI thread is busy while the read completes, so its delivery is queued.
        {"read completed, delivery queued", [] { std::this_thread::sleep_for(300ms); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        comm.OpenPort();
        CommEvents got(comm);
        pty.write(Frame(8));
        c.beforeClose();
        comm.ClosePort();
        Pump(400ms);
        EXPECT_TRUE(got.deliveries().empty());

        comm.OpenPort();
        pty.write(Frame(5, 0x60));
        WaitUntil([&] { return !got.deliveries().empty(); });
        Pump(300ms);
        EXPECT_EQ(got.deliveries(), std::vector<Bytes>{Frame(5, 0x60)});
        comm.ClosePort();
    }
}

TEST_F(CommOnPty, NullBytesPassUnlessIgnored) {
    const Bytes sent{0x01, 0x00, 0x02, 0x00, 0x00, 0x11, 0x13, 0x0d, 0x0a, 0x03, 0x04, 0xff};
    const struct {
        bool ignore;
        Bytes want;
    } cases[] = {
        {false, sent},
        {true, {0x01, 0x02, 0x11, 0x13, 0x0d, 0x0a, 0x03, 0x04, 0xff}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ignore ? "ignored" : "passed");
        comm.setIgnoreNullChar(c.ignore);
        comm.OpenPort();
        CommEvents got(comm);
        pty.write(sent);
        WaitUntil([&] { return !got.deliveries().empty(); });
        Pump(300ms);
        EXPECT_EQ(got.deliveries(), std::vector<Bytes>{c.want});
        comm.ClosePort();
    }
}

TEST_F(CommOnPty, AReadOfIgnoredBytesOnlyDeliversNothing) {
    comm.setIgnoreNullChar(true);
    comm.OpenPort();
    pty.write(Bytes(6, 0x00));
    Pump(400ms);
    pty.write(Frame(3));
    settle();
    EXPECT_EQ(events.deliveries(), std::vector<Bytes>{Frame(3)});
}
