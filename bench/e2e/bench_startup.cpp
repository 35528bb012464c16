// Start-up of the panel: a parent spawns this program again as the panel (doing what the
// panel's main does, against the simulated controller) and reads back the child's
// CLOCK_MONOTONIC instants, so each figure counts from the instant before the spawn.
// Usage: bench_startup [--runs N]
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "bench_rig.h"
#include "fonts.h"
#include "protocol_state.h"
#include "register_image.h"
#include "tform1.h"
#include "timed_application.h"

namespace {

constexpr int kRssAfterMs = 10'000; // resident memory is read this long after main()

long VmRssKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long kb = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> kb;
            break;
        }
    }
    return kb;
}

// The panel's start, instrumented. After the first refresh tick the operator opens the
// port and polling runs, so the memory figure is that of a panel at work.
int RunChild(int argc, char** argv, std::int64_t mainNs) {
    const std::string simPath = argv[2];
    TimedApplication app(argc, argv);
    const std::int64_t appNs = MonotonicNs();
    InstallFontSubstitutions();
    ProtocolState state;
    RegisterImage image;
    const std::int64_t buildNs = MonotonicNs();
    TForm1 form(state, image);
    const std::int64_t builtNs = MonotonicNs();
    form.show();
    std::int64_t refreshNs = 0;
    QObject::connect(&form.Timer2, &QTimer::timeout, &form, [&] {
        if (refreshNs == 0) {
            refreshNs = MonotonicNs();
            OperateToPolling(form, simPath);
        }
    });
    RunEventLoopFor(kRssAfterMs - static_cast<int>((MonotonicNs() - mainNs) / 1'000'000));
    std::printf("main=%lld app=%lld build=%lld built=%lld painted=%lld refresh=%lld rss=%ld "
                "cycles=%d\n",
                static_cast<long long>(mainNs), static_cast<long long>(appNs),
                static_cast<long long>(buildNs), static_cast<long long>(builtNs),
                static_cast<long long>(app.firstPaintedNs().value_or(0)),
                static_cast<long long>(refreshNs), VmRssKb(), form.Memo12->text().toInt());
    return 0;
}

// One start, in milliseconds from the spawn (memory in MiB).
struct Start {
    double main = 0;
    double app = 0;
    double construction = 0;
    double built = 0;
    double painted = 0;
    double refresh = 0;
    double rssMib = 0;
    int cycles = 0;
};

std::optional<Start> ParseStart(const std::string& line, std::int64_t spawnNs) {
    long long main, app, build, built, painted, refresh;
    long rssKb;
    int cycles;
    if (std::sscanf(line.c_str(),
                    "main=%lld app=%lld build=%lld built=%lld painted=%lld "
                    "refresh=%lld rss=%ld cycles=%d",
                    &main, &app, &build, &built, &painted, &refresh, &rssKb, &cycles) != 8 ||
        painted == 0 || refresh == 0) {
        return std::nullopt;
    }
    const auto ms = [spawnNs](long long ns) { return static_cast<double>(ns - spawnNs) / 1e6; };
    return Start{ms(main),    ms(app),     static_cast<double>(built - build) / 1e6, ms(built),
                 ms(painted), ms(refresh), static_cast<double>(rssKb) / 1024.0,      cycles};
}

std::optional<Start> RunOnce(const std::string& self) {
    Simulator sim(19200);
    ChildProcess panel({self, "--child", sim.path});
    const std::string line = panel.readLine(kRssAfterMs + 10'000);
    if (panel.wait(5000).status != 0) {
        return std::nullopt;
    }
    return ParseStart(line, panel.startedNs());
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintRow(const char* what, const std::vector<Start>& starts, double Start::*field,
              const char* goal) {
    std::vector<double> values;
    for (const Start& start : starts) {
        values.push_back(start.*field);
    }
    std::printf("| %s | %.1f | %.1f | %s |\n", what, Median(values),
                *std::max_element(values.begin(), values.end()), goal);
}

void PrintTable(const std::vector<Start>& starts) {
    int fewestCycles = starts.front().cycles;
    for (const Start& start : starts) {
        fewestCycles = std::min(fewestCycles, start.cycles);
    }
    std::printf("Panel start-up, %zu runs, offscreen, m7-sim at 19200 baud; times from the "
                "instant before the spawn\n\n",
                starts.size());
    std::printf("| what | median | max | goal |\n|---|---|---|---|\n");
    PrintRow("main() entered, ms", starts, &Start::main, "");
    PrintRow("application object made, ms", starts, &Start::app, "");
    PrintRow("window constructed, ms", starts, &Start::built, "");
    PrintRow("window construction alone, ms", starts, &Start::construction, "");
    PrintRow("window first painted, ms", starts, &Start::painted, "");
    PrintRow("first refresh tick done, ms", starts, &Start::refresh, "under 300");
    PrintRow("VmRSS 10 s after main(), polling, MiB", starts, &Start::rssMib, "under 60");
    std::printf("\nTimer2 (500 ms) starts in the window's constructor, so the first refresh "
                "tick cannot come before construction + 500 ms; the window is painted long "
                "before it. Poll cycles completed by the memory reading: at least %d.\n",
                fewestCycles);
}

} // namespace

int main(int argc, char** argv) {
    const std::int64_t mainNs = MonotonicNs();
    UseOffscreenUnlessSet();
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
        return RunChild(argc, argv, mainNs);
    }
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    std::vector<Start> starts;
    for (int run = IntOption(argc, argv, "--runs", 10); run > 0; --run) {
        const std::optional<Start> start = RunOnce(self);
        if (!start) {
            std::puts("a start failed");
            return 1;
        }
        starts.push_back(*start);
    }
    PrintTable(starts);
    return 0;
}
