// CPU cost of the panel's polling next to mbpoll's, in the same run: the panel in this
// process, driven as the operator drives it, polls one m7-sim; mbpoll polls a second one
// at the same rate (one 10-register read a second, 19200 8N1).
// Usage: bench_cpu_vs_mbpoll [--seconds N]
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "bench_rig.h"
#include "fonts.h"
#include "panel_application.h"
#include "protocol_state.h"
#include "register_image.h"
#include "tform1.h"

namespace {

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// CPU seconds of this process's threads by name, the GUI thread (the main one) by role.
// A thread that ends between two readings takes its time with it; the process total
// from getrusage does not lose it.
std::map<std::string, double> ThreadCpuSeconds() {
    std::map<std::string, double> byName;
    const std::string mainTid = std::to_string(getpid());
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        std::getline(comm, name);
        std::ifstream schedstat(task.path() / "schedstat");
        double ns = 0;
        schedstat >> ns;
        byName[task.path().filename() == mainTid ? "GUI thread" : name] += ns / 1e9;
    }
    return byName;
}

struct Polls {
    long sent = 0;
    long answered = 0;
};

// mbpoll's closing statistics: "N frames transmitted, M received, ...".
Polls MbpollPolls(const std::string& outputFile) {
    std::ifstream output(outputFile);
    std::string line;
    Polls polls;
    while (std::getline(output, line)) {
        std::sscanf(line.c_str(), "%ld frames transmitted, %ld received", &polls.sent,
                    &polls.answered);
    }
    return polls;
}

struct Row {
    std::string what;
    double windowCpu = 0;
    double runCpu = 0;
    std::string polls;
};

void PrintTable(const std::vector<Row>& rows, int seconds, double ratio) {
    std::printf("CPU of the panel and of mbpoll polling side by side: %d s window, one "
                "10-register read a second each, m7-sim at 19200 8N1\n\n",
                seconds);
    std::printf("| process | CPU s in window | CPU ms per s | CPU s whole run | answers / "
                "requests, whole run |\n|---|---|---|---|---|\n");
    for (const Row& row : rows) {
        char runCpu[32] = "-";
        if (row.runCpu >= 0) {
            std::snprintf(runCpu, sizeof runCpu, "%.3f", row.runCpu);
        }
        std::printf("| %s | %.3f | %.3f | %s | %s |\n", row.what.c_str(), row.windowCpu,
                    row.windowCpu * 1000 / seconds, runCpu, row.polls.c_str());
    }
    std::printf("\nPanel / mbpoll CPU in the window: %.2fx (goal within 3x)\n", ratio);
    std::printf("The panel's threads are read from /proc/self/task; its I/O thread wakes for "
                "every chunk the line delivers.\n");
    std::printf("The panel's figure is this whole process (getrusage RUSAGE_SELF, every thread, "
                "painting included); the others are read from /proc/<pid>/schedstat in the "
                "window and from wait4 at their end.\n");
}

std::string PollsText(const Polls& polls) {
    return std::to_string(polls.answered) + " / " + std::to_string(polls.sent);
}

struct PanelReading {
    double process = 0;
    std::map<std::string, double> threads;
};

PanelReading ReadPanel() {
    return {ProcessCpuSeconds(), ThreadCpuSeconds()};
}

// The panel over the window, then each of its threads.
std::vector<Row> PanelRows(const PanelReading& before, const Polls& polls) {
    const PanelReading after = ReadPanel();
    std::vector<Row> rows = {
        {"panel (this process)", after.process - before.process, after.process, PollsText(polls)}};
    for (const auto& [name, seconds] : after.threads) {
        const auto was = before.threads.find(name);
        rows.push_back(
            {"panel: " + name, seconds - (was == before.threads.end() ? 0 : was->second), -1, "-"});
    }
    return rows;
}

struct Other {
    const char* what;
    ChildProcess& process;
    double before = 0;
};

// Every other process over the window, read before any is stopped; then its whole run,
// from its end (SIGINT ends mbpoll and m7-sim alike).
std::vector<Row> OtherRows(std::vector<Other>& others) {
    std::vector<Row> rows;
    for (const Other& other : others) {
        rows.push_back({other.what, other.process.cpuSeconds() - other.before, 0, "-"});
    }
    for (std::size_t i = 0; i < others.size(); ++i) {
        rows[i].runCpu = others[i].process.stop(SIGINT).cpuSeconds;
    }
    return rows;
}

ChildProcess StartMbpoll(const std::string& devicePath, const std::string& outputFile) {
    return ChildProcess({"mbpoll", "-m", "rtu", "-a", "1",    "-b",   "19200",   "-d",
                         "8",      "-s", "1",   "-P", "none", "-t",   "4",       "-0",
                         "-r",     "0",  "-c",  "10", "-l",   "1000", devicePath},
                        outputFile);
}

} // namespace

int main(int argc, char** argv) {
    UseOffscreenUnlessSet();
    PanelApplication app(argc, argv);
    InstallFontSubstitutions();
    const int seconds = IntOption(argc, argv, "--seconds", 60);
    const QTemporaryDir scratch;
    const std::string mbpollOutput = scratch.filePath("mbpoll.out").toStdString();
    Simulator panelSim(19200);
    Simulator mbpollSim(19200);
    ChildProcess mbpoll = StartMbpoll(mbpollSim.path, mbpollOutput);

    ProtocolState state;
    RegisterImage image;
    TForm1 form(state, image);
    form.show();
    Polls panelPolls;
    QObject::connect(&form.Comm1, &TComm::OnSendDataEmpty, &form, [&] { ++panelPolls.sent; });
    QObject::connect(&form.Comm1, &TComm::OnReceiveData, &form, [&] { ++panelPolls.answered; });
    if (!OperateToPolling(form, panelSim.path) ||
        !RunEventLoopUntil([&] { return form.Memo12->text() == "1"; }, 10000)) {
        std::puts("the panel did not complete a poll cycle");
        return 1;
    }

    std::vector<Other> others = {{"mbpoll", mbpoll},
                                 {"m7-sim for the panel", panelSim.process},
                                 {"m7-sim for mbpoll", mbpollSim.process}};
    const PanelReading panelBefore = ReadPanel();
    for (Other& other : others) {
        other.before = other.process.cpuSeconds();
    }
    RunEventLoopFor(seconds * 1000);
    std::vector<Row> rows = PanelRows(panelBefore, panelPolls);
    std::vector<Row> otherRows = OtherRows(others);
    otherRows.front().polls = PollsText(MbpollPolls(mbpollOutput));
    rows.insert(rows.end(), otherRows.begin(), otherRows.end());
    PrintTable(rows, seconds, rows.front().windowCpu / otherRows.front().windowCpu);
    return 0;
}
