// The simulator as the panel meets it: over its pty, against outside masters.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>
#include <thread>

#include "modbus_master.h"
#include "sim_process.h"
#include "sim_test_util.h"

namespace {

std::string Mbpoll(const SimProcess& sim, const std::string& options) {
    return "/usr/bin/mbpoll -m rtu -a 1 -b 19200 -P none -t 4 -0 -1 " + options + " " + sim.Path();
}

std::map<int, long> MbpollValues(const std::string& output) {
    std::map<int, long> values;
    const std::regex line(R"(\[(\d+)\]:\s+(-?\d+))");
    for (auto it = std::sregex_iterator(output.begin(), output.end(), line);
         it != std::sregex_iterator(); ++it) {
        values[std::stoi((*it)[1])] = std::stol((*it)[2]);
    }
    return values;
}

// Polls register `reg` until it reads `wanted`; generous, the ramps take seconds.
bool Reaches(const ModbusMaster& master, int reg, std::uint16_t wanted) {
    const auto deadline = SteadyClock::now() + 10s;
    while (SteadyClock::now() < deadline) {
        const auto values = master.Read(reg, 1);
        if (values && (*values)[0] == wanted) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

TEST(SimMbpoll, ReadsTheThirtyRegistersOfTheModel) {
    SimProcess sim({});
    const CommandResult result = RunCommand(Mbpoll(sim, "-r 0 -c 30"));
    ASSERT_EQ(result.status, 0) << result.output;
    const auto values = MbpollValues(result.output);
    ASSERT_EQ(values.size(), 30u) << result.output;
    EXPECT_EQ(values.at(0), 5000);
    EXPECT_EQ(values.at(3), 0);
    EXPECT_EQ(values.at(12), 25);
    EXPECT_EQ(values.at(15), 3800);
    EXPECT_NEAR(values.at(23), 2300, 10);
    for (const auto& [reg, value] : values) {
        if (reg != 0 && reg != 12 && reg != 15 && reg != 23) {
            EXPECT_EQ(value, 0) << "register " << reg;
        }
    }
}

TEST(SimMbpoll, WritesTheSetpointAndReadsItBack) {
    SimProcess sim({});
    const CommandResult write = RunCommand(Mbpoll(sim, "-r 0") + " 1234");
    ASSERT_EQ(write.status, 0) << write.output;
    EXPECT_NE(write.output.find("Written 1 references"), std::string::npos) << write.output;
    const CommandResult read = RunCommand(Mbpoll(sim, "-r 0 -c 1"));
    ASSERT_EQ(read.status, 0) << read.output;
    EXPECT_EQ(MbpollValues(read.output).at(0), 1234);
}

TEST(SimMbpoll, ReadPastRegister29IsRefused) {
    SimProcess sim({});
    const CommandResult result = RunCommand(Mbpoll(sim, "-r 0 -c 31"));
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.output.find("Illegal data address"), std::string::npos) << result.output;
}

TEST(SimLibmodbus, RunStopAndSetpointDriveTheOutput) {
    SimProcess sim({});
    const ModbusMaster master(sim.Path());
    ASSERT_TRUE(master.Write(0, 2000));
    ASSERT_TRUE(master.Write(3, 0)); // RUN
    EXPECT_EQ(master.Read(3, 1), std::vector<std::uint16_t>{1});
    ASSERT_TRUE(Reaches(master, 11, 200));
    const auto currents = master.Read(20, 3);
    ASSERT_TRUE(currents);
    for (const std::uint16_t amps : *currents) {
        EXPECT_NEAR(amps, 100, 6);
    }
    ASSERT_TRUE(master.Write(3, 1)); // STOP
    EXPECT_EQ(master.Read(3, 1), std::vector<std::uint16_t>{0});
    EXPECT_TRUE(Reaches(master, 11, 0));
}

TEST(SimLibmodbus, RefusesWithTheStandardExceptions) {
    SimProcess sim({});
    const ModbusMaster master(sim.Path());
    const std::uint16_t values[2] = {1, 2};
    std::uint16_t into[8] = {};
    const std::vector<std::tuple<const char*, std::function<int()>, int>> cases{
        {"read 25..30", [&] { return modbus_read_registers(master.Get(), 25, 6, into); },
         EMBXILADD},
        {"write register 30", [&] { return modbus_write_register(master.Get(), 30, 1); },
         EMBXILADD},
        {"write read-only 11", [&] { return modbus_write_register(master.Get(), 11, 1); },
         EMBXILVAL},
        {"setpoint 10001", [&] { return modbus_write_register(master.Get(), 0, 10001); },
         EMBXILVAL},
        {"run state 2", [&] { return modbus_write_register(master.Get(), 3, 2); }, EMBXILVAL},
        {"function 16", [&] { return modbus_write_registers(master.Get(), 0, 2, values); },
         EMBXILFUN},
        {"function 04", [&] { return modbus_read_input_registers(master.Get(), 0, 1, into); },
         EMBXILFUN},
    };
    for (const auto& [what, call, expected] : cases) {
        errno = 0;
        EXPECT_EQ(call(), -1) << what;
        EXPECT_EQ(errno, expected) << what << ": " << modbus_strerror(errno);
    }
    EXPECT_EQ(master.Read(0, 1), std::vector<std::uint16_t>{5000}) << "a refusal changed it";
}

TEST(SimLine, WriteIsEchoedByteForByte) {
    SimProcess sim({});
    RawMaster master(sim.Path());
    const Frame write = WriteRequest(1, 0, 7777);
    EXPECT_EQ(master.Transact(write), write);
    EXPECT_EQ(RegistersOf(master.Transact(ReadRequest(1, 0, 1))), std::vector<std::uint16_t>{7777});
}

TEST(SimLine, ReadAnswerIsTheModbusFrameThePanelDecodes) {
    SimProcess sim({});
    RawMaster master(sim.Path());
    const Frame answer = master.Transact(ReadRequest(1, 10, 10));
    ASSERT_EQ(answer.size(), 25u);
    EXPECT_EQ(Frame(answer.begin(), answer.begin() + 3), (Frame{0x01, 0x03, 20}));
    EXPECT_TRUE(CrcHolds(answer));
    EXPECT_EQ(RegistersOf(answer)[5], 3800); // register 15
}

TEST(SimLine, OtherUnitsAndLineGarbageLeaveItInStep) {
    // Each case sends `before`, expects silence, then a good request must be answered.
    const std::vector<std::pair<const char*, std::vector<Frame>>> cases{
        {"read for unit 2", {ReadRequest(2, 0, 10)}},
        {"write for unit 9", {WriteRequest(9, 3, 0)}},
        {"two for others", {ReadRequest(2, 0, 10), WriteRequest(247, 0, 1)}},
        {"bad crc", {Frame{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00}}},
        {"cut short", {Frame{0x01, 0x03, 0x00}}},
    };
    SimProcess sim({});
    RawMaster master(sim.Path());
    for (const auto& [what, before] : cases) {
        for (const Frame& frame : before) {
            master.Send(frame);
        }
        EXPECT_TRUE(master.Collect(300ms, 100ms).empty()) << what;
        const Frame answer = master.Transact(ReadRequest(1, 0, 10));
        EXPECT_EQ(answer.size(), 25u) << what;
        EXPECT_TRUE(CrcHolds(answer)) << what;
    }
}

TEST(SimLine, RequestRightBehindOneForAnotherUnitIsAnswered) {
    SimProcess sim({});
    RawMaster master(sim.Path());
    Frame both = ReadRequest(2, 0, 10);
    const Frame ours = ReadRequest(1, 20, 10);
    both.insert(both.end(), ours.begin(), ours.end());
    const Frame answer = master.Transact(both);
    ASSERT_EQ(answer.size(), 25u);
    EXPECT_EQ(answer[0], 1);
    EXPECT_TRUE(CrcHolds(answer));
}

TEST(SimLine, AnswersOnlyItsOwnAddress) {
    SimProcess sim({"--address", "7"});
    RawMaster master(sim.Path());
    EXPECT_TRUE(master.Transact(ReadRequest(1, 0, 10)).empty());
    const Frame answer = master.Transact(ReadRequest(7, 0, 10));
    ASSERT_EQ(answer.size(), 25u);
    EXPECT_EQ(answer[0], 7);
    EXPECT_TRUE(CrcHolds(answer));
}

TEST(SimLine, BroadcastWriteIsObeyedWithoutAnswer) {
    SimProcess sim({});
    RawMaster master(sim.Path());
    EXPECT_TRUE(master.Transact(WriteRequest(0, 0, 4321)).empty());
    EXPECT_EQ(RegistersOf(master.Transact(ReadRequest(1, 0, 1))), std::vector<std::uint16_t>{4321});
}

TEST(SimLine, AnswerIsPacedAtTheLineRate) {
    // At 1200 baud the 24 byte times between the first and the last byte of a
    // 25-byte answer are 200 ms; a machine can only make that longer.
    SimProcess sim({"--baud", "1200"});
    RawMaster master(sim.Path());
    master.Send(ReadRequest(1, 0, 10));
    const std::vector<Piece> pieces = master.Collect(1s, 200ms);
    ASSERT_EQ(Joined(pieces).size(), 25u);
    EXPECT_GE(pieces.back().at - pieces.front().at, 150ms);
}

} // namespace
