#pragma once

#include <memory>
#include <optional>
#include <random>

#include "commands.h"
#include "line_reader.h"
#include "link.h"
#include "log.h"
#include "modbus_slave.h"
#include "model.h"
#include "options.h"
#include "pty.h"
#include "signals.h"
#include "transmitter.h"

namespace m7sim {

// One simulated controller on its own pseudo-terminal, run by one event loop: the
// master side, standard input, the signals, the model's tick and the line's pacing.
class Simulator {
public:
    explicit Simulator(const Options& options);

    // Prints the device path, then runs until "quit", the end of standard input, a
    // stop signal or the device vanishing. Returns the exit status.
    int Run();

private:
    void PrintPath() const;
    void Receive(Clock::time_point now);
    void OnRequest(const Frame& request, Clock::time_point received);
    std::optional<Frame> Answer(const Frame& request);
    void ReadCommands();
    void Execute(const Command& command);
    void ShowRegisters() const;
    void Vanish();
    void Tick(Clock::time_point now);
    int PollTimeoutMs(Clock::time_point now) const;

    Log log_;
    SignalPipe signals_;
    Pty pty_;
    std::unique_ptr<SymLink> link_;
    RequestReader reader_;
    ReplyBuilder replies_;
    Model model_;
    Transmitter line_;
    Fault fault_;
    std::mt19937 random_;
    LineReader stdin_;
    Clock::time_point lastTick_;
    bool stop_ = false;
};

} // namespace m7sim
