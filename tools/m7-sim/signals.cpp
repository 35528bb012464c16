#include "signals.h"

#include <array>
#include <csignal>
#include <unistd.h>

namespace m7sim {

namespace {

constexpr std::array kStopSignals{SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t gWriteFd = -1;

extern "C" void OnSignal(int number) {
    const auto byte = static_cast<unsigned char>(number);
    // Nothing to do if the pipe is full: a stop is already waiting in it.
    [[maybe_unused]] const ssize_t written = ::write(gWriteFd, &byte, 1);
}

void Install(int number, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    CheckSys(sigaction(number, &action, nullptr), "sigaction");
}

} // namespace

SignalPipe::SignalPipe() {
    int ends[2];
    CheckSys(::pipe(ends), "pipe");
    readEnd_ = Fd(ends[0]);
    writeEnd_ = Fd(ends[1]);
    for (const int fd : ends) {
        SetCloseOnExec(fd);
        SetNonBlocking(fd);
    }
    gWriteFd = writeEnd_.Get();
    for (const int number : kStopSignals) {
        Install(number, OnSignal);
    }
    Install(SIGPIPE, SIG_IGN);
}

SignalPipe::~SignalPipe() {
    for (const int number : kStopSignals) {
        std::signal(number, SIG_DFL);
    }
    gWriteFd = -1;
}

int SignalPipe::Take() const {
    unsigned char byte = 0;
    return ::read(readEnd_.Get(), &byte, 1) == 1 ? byte : 0;
}

} // namespace m7sim
