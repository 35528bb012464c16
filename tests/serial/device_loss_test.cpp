#include "comm_harness.h"

#include <sys/resource.h>

namespace {

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

TEST_F(CommOnPty, ALostDeviceClosesThePortAndRaisesHangupOnce) {
    comm.OpenPort();
    bool openDuringHangup = true;
    QObject::connect(&comm, &TComm::OnRequestHangup, &comm,
                     [&](TComm* sender) { openDuringHangup = sender->isOpen(); });

    const double cpuBefore = ProcessCpuSeconds();
    pty.closeMaster();
    EXPECT_TRUE(WaitUntil([&] { return !comm.isOpen(); }, 1s));
    Pump(1s);
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    RecordProperty("cpu_seconds_after_loss", std::to_string(cpu));
    std::cout << "CPU over the second after the loss: " << cpu << " s\n";

    EXPECT_EQ(events.hangups(), 1);
    EXPECT_FALSE(openDuringHangup);
    EXPECT_LT(cpu, 0.3) << "the I/O thread spins on the dead device";
    EXPECT_FALSE(comm.QueueWrite(Frame(8).data(), 8));
    EXPECT_NO_THROW(comm.ClosePort());
}

TEST_F(CommOnPty, APortOpensAfreshAfterALoss) {
    comm.OpenPort();
    pty.closeMaster();
    ASSERT_TRUE(WaitUntil([&] { return !comm.isOpen(); }));

    PtyPair replacement;
    comm.setCommName(NameOf(replacement));
    comm.OpenPort();
    replacement.write(Frame(8));
    ASSERT_TRUE(WaitUntil([&] { return !events.deliveries().empty(); }));
    Pump(300ms);
    EXPECT_EQ(events.deliveries(), std::vector<Bytes>{Frame(8)});
    const Bytes reply = Frame(3, 0x90);
    EXPECT_TRUE(comm.QueueWrite(reply.data(), 3));
    EXPECT_EQ(replacement.read(3, 2s), reply);
    EXPECT_EQ(events.hangups(), 1);
}
