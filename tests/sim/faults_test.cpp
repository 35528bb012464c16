// Each fault as a raw master on the pty sees it.
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "sim_process.h"
#include "sim_test_util.h"

namespace {

const Frame kPoll = ReadRequest(1, 0, 10);
const Frame kHeader{0x01, 0x03, 20};

Frame Head(const Frame& frame, std::size_t length) {
    return Frame(frame.begin(),
                 frame.begin() + static_cast<std::ptrdiff_t>(std::min(length, frame.size())));
}

void ExpectGoodAnswer(const Frame& answer) {
    ASSERT_GE(answer.size(), 25u);
    EXPECT_EQ(Head(answer, 3), kHeader);
    EXPECT_TRUE(CrcHolds(Head(answer, 25)));
}

struct FaultCase {
    const char* name;
    // How long to wait for the first byte; then until 600 ms pass without one.
    std::chrono::milliseconds first;
    std::function<void(const std::vector<Piece>& pieces, SteadyClock::time_point sent)> check;
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

class SimFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(SimFaults, SeenFromARawMaster) {
    const FaultCase& c = GetParam();
    SimProcess sim({"--fault", c.name});
    RawMaster master(sim.Path());
    master.Send(kPoll);
    c.check(master.Collect(c.first, 600ms), master.SentAt());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimFaults,
    testing::Values(FaultCase{"none", 1s,
                              [](const std::vector<Piece>& pieces, SteadyClock::time_point) {
                                  const Frame answer = Joined(pieces);
                                  EXPECT_EQ(answer.size(), 25u);
                                  ExpectGoodAnswer(answer);
                              }},
                    FaultCase{"silent", 500ms,
                              [](const std::vector<Piece>& pieces, SteadyClock::time_point) {
                                  EXPECT_TRUE(pieces.empty());
                              }},
                    FaultCase{"bad-crc", 1s,
                              [](const std::vector<Piece>& pieces, SteadyClock::time_point) {
                                  const Frame answer = Joined(pieces);
                                  ASSERT_EQ(answer.size(), 25u);
                                  EXPECT_EQ(Head(answer, 3), kHeader);
                                  EXPECT_FALSE(CrcHolds(answer));
                              }},
                    FaultCase{"split", 1s,
                              [](const std::vector<Piece>& pieces, SteadyClock::time_point) {
                                  const Frame answer = Joined(pieces);
                                  EXPECT_EQ(answer.size(), 25u);
                                  ExpectGoodAnswer(answer);
                                  const Gap gap = LongestGap(pieces);
                                  EXPECT_GT(gap.length, 100ms);
                                  EXPECT_EQ(gap.bytesBefore, 10u);
                              }},
                    FaultCase{"noise", 1s,
                              [](const std::vector<Piece>& pieces, SteadyClock::time_point) {
                                  const Frame all = Joined(pieces);
                                  ExpectGoodAnswer(all);
                                  EXPECT_GT(all.size(), 25u) << "no noise after the answer";
                                  const Gap gap = LongestGap(pieces);
                                  EXPECT_GT(gap.length, 100ms) << "noise stuck to the answer";
                                  EXPECT_EQ(gap.bytesBefore, 25u);
                              }},
                    FaultCase{"slow", 3s,
                              [](const std::vector<Piece>& pieces, SteadyClock::time_point sent) {
                                  ASSERT_FALSE(pieces.empty());
                                  EXPECT_GE(pieces.front().at - sent, 1400ms);
                                  const Frame answer = Joined(pieces);
                                  EXPECT_EQ(answer.size(), 25u);
                                  ExpectGoodAnswer(answer);
                              }},
                    FaultCase{"exception", 1s,
                              [](const std::vector<Piece>& pieces, SteadyClock::time_point) {
                                  const Frame answer = Joined(pieces);
                                  ASSERT_EQ(answer.size(), 5u);
                                  EXPECT_EQ(Head(answer, 3), (Frame{0x01, 0x83, 0x04}));
                                  EXPECT_TRUE(CrcHolds(answer));
                              }}),
    [](const testing::TestParamInfo<FaultCase>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

TEST(SimFaults, WritesAreBentLikeReads) {
    const Frame write = WriteRequest(1, 0, 1234);
    {
        SimProcess sim({"--fault", "split"});
        RawMaster master(sim.Path());
        master.Send(write);
        const std::vector<Piece> pieces = master.Collect(1s, 600ms);
        EXPECT_EQ(Joined(pieces), write);
        EXPECT_EQ(LongestGap(pieces).bytesBefore, 4u);
    }
    SimProcess sim({"--fault", "exception"});
    RawMaster master(sim.Path());
    const Frame refused = master.Transact(write);
    EXPECT_EQ(Head(refused, 3), (Frame{0x01, 0x86, 0x04}));
    sim.Command("fault none");
    EXPECT_EQ(RegistersOf(master.Transact(ReadRequest(1, 0, 1))), std::vector<std::uint16_t>{5000})
        << "a write refused with 04 took effect";
}

TEST(SimFaults, ChangeAtRunTimeFromStdin) {
    SimProcess sim({});
    RawMaster master(sim.Path());
    ExpectGoodAnswer(master.Transact(kPoll));
    sim.Command("fault silent");
    EXPECT_TRUE(master.Transact(kPoll).empty());
    sim.Command("fault exception");
    EXPECT_EQ(Head(master.Transact(kPoll), 3), (Frame{0x01, 0x83, 0x04}));
    sim.Command("fault bad-crc");
    EXPECT_FALSE(CrcHolds(master.Transact(kPoll)));
    sim.Command("fault none");
    ExpectGoodAnswer(master.Transact(kPoll));
}

// After the device vanished: the open port reads EIO or end of file, the path is
// gone (with its link), opening it fails, and the process ends with status 0.
void ExpectVanished(SimProcess& sim, RawMaster& master, const std::filesystem::path& link) {
    pollfd ready{master.Fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 5000), 1);
    char byte = 0;
    EXPECT_LE(::read(master.Fd(), &byte, 1), 0);
    EXPECT_TRUE(GoneWithin(sim.Path(), 5s));
    EXPECT_FALSE(Exists(link));
    EXPECT_LT(::open(sim.Path().c_str(), O_RDWR | O_NOCTTY), 0);
    EXPECT_EQ(sim.WaitExit(5s), 0);
}

TEST(SimFaults, VanishAtOnceFromStdin) {
    TempDir dir;
    SimProcess sim({"--link", (dir / "ttyM7").string()});
    RawMaster master(sim.Path());
    ExpectGoodAnswer(master.Transact(kPoll));
    sim.Command("vanish");
    ExpectVanished(sim, master, dir / "ttyM7");
}

TEST(SimFaults, VanishFromTheCommandLineWaitsForTheFirstRequest) {
    TempDir dir;
    SimProcess sim({"--fault", "vanish", "--link", (dir / "ttyM7").string()});
    RawMaster master(sim.Path());
    EXPECT_FALSE(sim.WaitExit(300ms)) << "gone before anyone asked";
    master.Send(kPoll);
    ExpectVanished(sim, master, dir / "ttyM7");
}

} // namespace
