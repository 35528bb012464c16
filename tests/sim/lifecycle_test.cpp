// Starting and ending the simulator, its link and port, its commands and its trace.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <regex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

#include "modbus_master.h"
#include "sim_process.h"
#include "sim_test_util.h"

namespace {

TEST(SimStart, PrintsOnlyThePathOfACharacterDevice) {
    SimProcess sim({});
    struct stat status {};
    ASSERT_EQ(::stat(sim.Path().c_str(), &status), 0) << "path: " << sim.Path();
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    sim.Command("quit");
    EXPECT_EQ(sim.WaitExit(5s), 0);
    EXPECT_EQ(sim.RestOfStdout(), "");
}

TEST(SimStart, BadOptionExitsWithUsageAndNoPath) {
    SimProcess sim({"--fault", "wobble"});
    EXPECT_EQ(sim.Path(), "");
    EXPECT_EQ(sim.WaitExit(5s), 2);
    EXPECT_NE(sim.Stderr().find("usage: m7-sim"), std::string::npos);
}

TEST(SimStart, ReplacesAStaleLinkButNoOtherFile) {
    TempDir dir;
    const auto link = dir / "ttyM7";
    std::filesystem::create_symlink("/nonexistent", link);
    {
        SimProcess sim({"--link", link.string()});
        EXPECT_EQ(std::filesystem::read_symlink(link), sim.Path());
    }
    const auto file = dir / "file";
    { std::ofstream(file) << "keep"; }
    SimProcess refused({"--link", file.string()});
    EXPECT_EQ(refused.WaitExit(5s), 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(file));
}

TEST(SimExit, EveryWayOutRemovesTheLinkAndExitsZero) {
    const std::vector<std::pair<const char*, std::function<void(SimProcess&)>>> ways{
        {"quit", [](SimProcess& sim) { sim.Command("quit"); }},
        {"stdin EOF", [](SimProcess& sim) { sim.CloseStdin(); }},
        {"vanish", [](SimProcess& sim) { sim.Command("vanish"); }},
        {"SIGINT", [](SimProcess& sim) { sim.Signal(SIGINT); }},
        {"SIGTERM", [](SimProcess& sim) { sim.Signal(SIGTERM); }},
        {"SIGHUP", [](SimProcess& sim) { sim.Signal(SIGHUP); }},
    };
    TempDir dir;
    const auto link = dir / "ttyM7";
    for (const auto& [way, leave] : ways) {
        SimProcess sim({"--link", link.string()});
        ASSERT_EQ(std::filesystem::read_symlink(link), sim.Path()) << way;
        leave(sim);
        EXPECT_EQ(sim.WaitExit(5s), 0) << way;
        EXPECT_FALSE(Exists(link)) << way;
    }
}

TEST(SimPort, HoldsNoLockAndKeepsTheLineBetweenPanels) {
    SimProcess sim({});
    for (int panel = 0; panel < 3; ++panel) {
        RawMaster master(sim.Path());
        // What the panel does on opening: it must get the lock.
        EXPECT_EQ(::flock(master.Fd(), LOCK_EX | LOCK_NB), 0) << "panel " << panel;
        const Frame answer = master.Transact(ReadRequest(1, 0, 10));
        EXPECT_EQ(answer.size(), 25u) << "panel " << panel;
        EXPECT_TRUE(CrcHolds(answer)) << "panel " << panel;
    }
    // With no panel left the pty must not hang up on the simulator (it would spin).
    const double before = CpuSeconds(sim.Pid());
    std::this_thread::sleep_for(1s);
    EXPECT_LT(CpuSeconds(sim.Pid()) - before, 0.5);
}

TEST(SimCommands, ChangeWhatTheRegistersRead) {
    SimProcess sim({});
    const ModbusMaster master(sim.Path());
    const std::vector<std::tuple<const char*, int, std::uint16_t>> cases{
        {"alarms 0x101", 13, 0x101}, {"alarms 300", 13, 300},     {"alarms 0", 13, 0},
        {"set 12 90", 12, 90},       {"set 23 65535", 23, 65535}, {"unset 12", 12, 25},
        {"set 0 42", 0, 42},         {"unset 0", 0, 5000},
    };
    for (const auto& [command, reg, expected] : cases) {
        sim.Command(command);
        EXPECT_EQ(master.Read(reg, 1), std::vector<std::uint16_t>{expected}) << command;
    }
}

TEST(SimCommands, UnknownOrBadCommandIsReportedAndIgnored) {
    SimProcess sim({});
    const ModbusMaster master(sim.Path());
    sim.Command("jump");
    sim.Command("alarms 0x200");
    EXPECT_EQ(master.Read(13, 1), std::vector<std::uint16_t>{0});
    sim.Command("quit");
    ASSERT_EQ(sim.WaitExit(5s), 0);
    const std::string errors = sim.Stderr();
    EXPECT_NE(errors.find("\"jump\": unknown command"), std::string::npos) << errors;
    EXPECT_NE(errors.find("\"alarms 0x200\""), std::string::npos) << errors;
}

TEST(SimLog, TracesEveryFrameOnStderrWithATimeStamp) {
    SimProcess sim({"--log"});
    {
        RawMaster master(sim.Path());
        master.Transact(ReadRequest(1, 0, 10));
        master.Transact(ReadRequest(5, 0, 10));
    }
    sim.Command("quit");
    ASSERT_EQ(sim.WaitExit(5s), 0);
    EXPECT_EQ(sim.RestOfStdout(), "");
    const std::string log = sim.Stderr();
    const auto stamped = [&](const std::string& text) {
        return std::regex_search(log, std::regex(R"(\d\d:\d\d:\d\d\.\d\d\d )" + text));
    };
    EXPECT_TRUE(stamped("rx 01 03 00 00 00 0A C5 CD\n")) << log;
    EXPECT_TRUE(stamped("tx 01 03 14 13 88( [0-9A-F]{2}){20}\n")) << log;
    EXPECT_TRUE(stamped("rx for unit 5: ignored\n")) << log;
}

} // namespace
