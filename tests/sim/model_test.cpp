#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

#include "model.h"

namespace {

using m7sim::Exception;
using m7sim::Model;
using m7sim::Registers;
namespace reg = m7sim::reg;
using namespace std::chrono_literals;

constexpr std::uint8_t kRead = m7sim::kReadHolding;
constexpr std::uint8_t kWrite = m7sim::kWriteSingle;

void RunFor(Model& model, std::chrono::milliseconds span) {
    for (auto t = 0ms; t < span; t += 100ms) {
        model.Advance(100ms);
    }
}

void Start(Model& model) {
    ASSERT_EQ(model.Serve(kWrite, reg::kRunState, 0), Exception::None);
}

void Stop(Model& model) {
    ASSERT_EQ(model.Serve(kWrite, reg::kRunState, 1), Exception::None);
}

TEST(SimModel, StartsStoppedAtHalfSetpointWithQuietMeasurements) {
    const Registers r = Model(1).Read();
    EXPECT_EQ(r[reg::kSetpoint], 5000);
    EXPECT_EQ(r[reg::kRunState], 0);
    EXPECT_EQ(r[reg::kInput], 0);
    EXPECT_EQ(r[reg::kOutput], 0);
    EXPECT_EQ(r[reg::kTemperature], 25);
    EXPECT_EQ(r[reg::kAlarms], 0);
    EXPECT_EQ(r[reg::kVoltageTop], 3800);
    EXPECT_NEAR(r[reg::kVoltage], 2300, 10);
    for (int unused :
         {1, 2, 4, 5, 6, 7, 8, 9, 14, 16, 17, 18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 29}) {
        EXPECT_EQ(r[unused], 0) << "register " << unused;
    }
}

struct RequestCase {
    std::uint8_t function;
    std::uint16_t address;
    std::uint16_t word;
    Exception expected;
};

void PrintTo(const RequestCase& c, std::ostream* out) {
    *out << "function " << int(c.function) << " " << c.address << " " << c.word;
}

class SimModelRequests : public testing::TestWithParam<RequestCase> {};

TEST_P(SimModelRequests, AnswerAsModbusDemandsAndRefusalsChangeNothing) {
    const RequestCase& c = GetParam();
    Model model(1);
    const Registers before = model.Read();
    EXPECT_EQ(model.Serve(c.function, c.address, c.word), c.expected);
    if (c.expected != Exception::None || c.function == kRead) {
        EXPECT_EQ(model.Read(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimModelRequests,
    testing::Values(
        // Reads: quantity first (1..125, else 03), then the range (start + count <= 30, else 02).
        RequestCase{kRead, 0, 10, Exception::None}, RequestCase{kRead, 20, 10, Exception::None},
        RequestCase{kRead, 0, 30, Exception::None}, RequestCase{kRead, 29, 1, Exception::None},
        RequestCase{kRead, 0, 31, Exception::IllegalDataAddress},
        RequestCase{kRead, 25, 6, Exception::IllegalDataAddress},
        RequestCase{kRead, 30, 1, Exception::IllegalDataAddress},
        RequestCase{kRead, 65535, 1, Exception::IllegalDataAddress},
        RequestCase{kRead, 0, 0, Exception::IllegalDataValue},
        RequestCase{kRead, 0, 126, Exception::IllegalDataValue},
        RequestCase{kRead, 100, 126, Exception::IllegalDataValue},
        // Writes: setpoint 0..10000 and run state 0/1 only; other registers read-only (03);
        // beyond the 30 registers 02.
        RequestCase{kWrite, 0, 0, Exception::None}, RequestCase{kWrite, 0, 10000, Exception::None},
        RequestCase{kWrite, 0, 10001, Exception::IllegalDataValue},
        RequestCase{kWrite, 0, 65535, Exception::IllegalDataValue},
        RequestCase{kWrite, 3, 2, Exception::IllegalDataValue},
        RequestCase{kWrite, 1, 5, Exception::IllegalDataValue},
        RequestCase{kWrite, 11, 500, Exception::IllegalDataValue},
        RequestCase{kWrite, 13, 1, Exception::IllegalDataValue},
        RequestCase{kWrite, 29, 0, Exception::IllegalDataValue},
        RequestCase{kWrite, 30, 0, Exception::IllegalDataAddress},
        RequestCase{kWrite, 65535, 0, Exception::IllegalDataAddress},
        // Everything but 03 and 06.
        RequestCase{0x01, 0, 1, Exception::IllegalFunction},
        RequestCase{0x04, 0, 1, Exception::IllegalFunction},
        RequestCase{0x10, 0, 1, Exception::IllegalFunction},
        RequestCase{0x2B, 0, 0, Exception::IllegalFunction}));

TEST(SimModel, SetpointWriteReadsBack) {
    for (const std::uint16_t value : {0, 1, 1234, 10000}) {
        Model model(1);
        ASSERT_EQ(model.Serve(kWrite, reg::kSetpoint, value), Exception::None);
        EXPECT_EQ(model.Read()[reg::kSetpoint], value);
    }
}

TEST(SimModel, RunStateFollowsTheLastSwitchWrite) {
    // The switch writes 1 under "STOP" and 0 under "RUN".
    const std::vector<std::pair<std::vector<std::uint16_t>, std::uint16_t>> cases{
        {{0}, 1}, {{1}, 0}, {{0, 1}, 0}, {{1, 0}, 1}, {{0, 0}, 1}, {{0, 1, 0}, 1}};
    for (const auto& [writes, expected] : cases) {
        Model model(1);
        for (const std::uint16_t value : writes) {
            ASSERT_EQ(model.Serve(kWrite, reg::kRunState, value), Exception::None);
        }
        EXPECT_EQ(model.Read()[reg::kRunState], expected) << "after " << writes.size() << " writes";
    }
}

TEST(SimModel, OutputRampsToTheSetpointWhileRunningAndCurrentsFollow) {
    Model model(1);
    ASSERT_EQ(model.Serve(kWrite, reg::kSetpoint, 6000), Exception::None);
    Start(model);
    RunFor(model, 1s);
    const Registers ramping = model.Read();
    EXPECT_GT(ramping[reg::kOutput], 0);
    EXPECT_LT(ramping[reg::kOutput], 600);

    RunFor(model, 3s);
    const Registers steady = model.Read();
    EXPECT_EQ(steady[reg::kOutput], 600);
    EXPECT_GT(steady[reg::kInput], 600);
    EXPECT_LE(steady[reg::kInput], 1000);
    for (int phase = 0; phase < 3; ++phase) {
        EXPECT_NEAR(steady[reg::kCurrentL1 + phase], 300, 12) << "phase " << phase + 1;
    }
    EXPECT_NEAR(steady[reg::kVoltage], 2300, 30);

    ASSERT_EQ(model.Serve(kWrite, reg::kSetpoint, 2000), Exception::None);
    RunFor(model, 2s);
    EXPECT_EQ(model.Read()[reg::kOutput], 200);
}

TEST(SimModel, OutputFallsToZeroWhenStopped) {
    Model model(1);
    Start(model);
    RunFor(model, 3s);
    ASSERT_EQ(model.Read()[reg::kOutput], 500);
    Stop(model);
    RunFor(model, 1s);
    const Registers falling = model.Read();
    EXPECT_GT(falling[reg::kOutput], 0);
    EXPECT_LT(falling[reg::kOutput], 500);

    RunFor(model, 2s);
    const Registers stopped = model.Read();
    EXPECT_EQ(stopped[reg::kOutput], 0);
    EXPECT_EQ(stopped[reg::kInput], 0);
    for (int phase = 0; phase < 3; ++phase) {
        EXPECT_EQ(stopped[reg::kCurrentL1 + phase], 0) << "phase " << phase + 1;
    }
}

TEST(SimModel, SetpointIsIgnoredWhileStopped) {
    Model model(1);
    ASSERT_EQ(model.Serve(kWrite, reg::kSetpoint, 9000), Exception::None);
    RunFor(model, 5s);
    EXPECT_EQ(model.Read()[reg::kOutput], 0);
}

TEST(SimModel, TemperatureRisesSlowlyWhileRunningAndCoolsToAmbient) {
    Model model(1);
    ASSERT_EQ(model.Serve(kWrite, reg::kSetpoint, 10000), Exception::None);
    Start(model);
    RunFor(model, 5s);
    const int early = model.Read()[reg::kTemperature];
    EXPECT_GT(early, 25);
    EXPECT_LT(early, 40);
    RunFor(model, 120s);
    const int hot = model.Read()[reg::kTemperature];
    EXPECT_GT(hot, 60);
    EXPECT_LE(hot, 80);

    Stop(model);
    RunFor(model, 10s);
    EXPECT_LT(model.Read()[reg::kTemperature], hot);
    RunFor(model, 300s);
    EXPECT_EQ(model.Read()[reg::kTemperature], 25);
}

TEST(SimModel, AlarmsKeepBitsZeroToEight) {
    Model model(1);
    model.SetAlarms(0x101);
    EXPECT_EQ(model.Read()[reg::kAlarms], 0x101);
    model.SetAlarms(0xFFFF);
    EXPECT_EQ(model.Read()[reg::kAlarms], 0x1FF);
}

TEST(SimModel, PinnedRegisterHoldsItsValueUntilUnpinned) {
    Model model(1);
    model.Pin(reg::kTemperature, 65535);
    model.Pin(reg::kSetpoint, 42);
    ASSERT_EQ(model.Serve(kWrite, reg::kSetpoint, 7000), Exception::None);
    RunFor(model, 1s);
    EXPECT_EQ(model.Read()[reg::kTemperature], 65535);
    EXPECT_EQ(model.Read()[reg::kSetpoint], 42);
    model.Unpin(reg::kTemperature);
    model.Unpin(reg::kSetpoint);
    EXPECT_EQ(model.Read()[reg::kTemperature], 25);
    EXPECT_EQ(model.Read()[reg::kSetpoint], 7000);
}

TEST(SimModel, VoltageWandersNearNominal) {
    Model model(7);
    std::set<int> seen;
    for (int tick = 0; tick < 50; ++tick) {
        model.Advance(100ms);
        const int volts = model.Read()[reg::kVoltage];
        EXPECT_NEAR(volts, 2300, 10);
        seen.insert(volts);
    }
    EXPECT_GT(seen.size(), 3u);
}

} // namespace
