// Receive latency of TComm on a pseudo-terminal: from the far end's last byte of a 25-byte
// response to OnReceiveData on the GUI thread. Usage: bench_serial_latency [frames]
#include "pty_pair.h"
#include "tcomm.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr std::size_t kFrameLength = 25;

// One response: the time to its delivery, or nothing when none came within two seconds.
std::optional<double> TimeOneFrame(PtyPair& pty, TComm& comm, const PtyPair::Bytes& frame) {
    QEventLoop loop;
    std::optional<Clock::time_point> delivered;
    const auto connection = QObject::connect(&comm, &TComm::OnReceiveData, &loop, [&] {
        delivered = Clock::now();
        loop.quit();
    });
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    pty.write(frame);
    const Clock::time_point lastByte = Clock::now();
    loop.exec();
    QObject::disconnect(connection);
    if (!delivered) {
        return std::nullopt;
    }
    return Ms(*delivered - lastByte).count();
}

double Quantile(const std::vector<double>& sorted, double q) {
    const auto index = static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[index];
}

void PrintTable(std::vector<double> ms, int lost, quint32 intervalMs) {
    std::sort(ms.begin(), ms.end());
    const double median = Quantile(ms, 0.5);
    std::printf("TComm receive latency, %zu-byte frames, ReadIntervalTimeout %u ms\n", kFrameLength,
                intervalMs);
    std::printf("%-8s %10s %10s %10s %10s %12s %6s\n", "frames", "min ms", "median ms", "p99 ms",
                "max ms", "median-intv", "lost");
    std::printf("%-8zu %10.2f %10.2f %10.2f %10.2f %12.2f %6d\n", ms.size(), ms.front(), median,
                Quantile(ms, 0.99), ms.back(), median - intervalMs, lost);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;

    PtyPair pty;
    TComm comm;
    comm.setCommName(QString::fromStdString(pty.slavePath()));
    comm.OpenPort();

    PtyPair::Bytes frame(kFrameLength);
    std::vector<double> latencies;
    int lost = 0;
    for (int i = 0; i < frames; ++i) {
        std::fill(frame.begin(), frame.end(), static_cast<std::uint8_t>(i));
        if (const auto ms = TimeOneFrame(pty, comm, frame)) {
            latencies.push_back(*ms);
        } else {
            ++lost;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    comm.ClosePort();
    if (latencies.empty()) {
        std::puts("no frame was delivered");
        return 1;
    }
    PrintTable(latencies, lost, comm.readIntervalTimeout());
    return lost == 0 ? 0 : 1;
}
