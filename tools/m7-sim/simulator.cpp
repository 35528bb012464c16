#include "simulator.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <poll.h>
#include <system_error>
#include <unistd.h>

#include "line_faults.h"

namespace m7sim {

namespace {

constexpr std::chrono::milliseconds kTick{100};

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// A big-endian field of a 03 or 06 request; 0 in frames too short to have it.
std::uint16_t Word(const Frame& request, std::size_t offset) {
    constexpr std::size_t kCrcLength = 2;
    if (request.size() < offset + 2 + kCrcLength) {
        return 0;
    }
    return static_cast<std::uint16_t>(request[offset] << 8 | request[offset + 1]);
}

std::uint32_t Seed() {
    std::random_device device;
    return device();
}

} // namespace

Simulator::Simulator(const Options& options)
    : log_(options.log), pty_(OpenPty()), reader_(pty_.master.Get(), options.address, options.baud),
      replies_(options.baud), model_(Seed()), line_(options.baud), fault_(options.fault),
      random_(Seed()), stdin_(STDIN_FILENO), lastTick_(Clock::now()) {
    if (!options.link.empty()) {
        link_ = std::make_unique<SymLink>(options.link, pty_.path);
    }
    log_.Note("unit " + std::to_string(options.address) + ", " + std::to_string(options.baud) +
              " baud, fault " + std::string(FaultName(fault_)));
}

int Simulator::Run() {
    PrintPath();
    while (!stop_) {
        std::array<pollfd, 3> fds{{{signals_.ReadFd(), POLLIN, 0},
                                   {pty_.master.Get(), POLLIN, 0},
                                   {stdin_.Fd(), POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), PollTimeoutMs(Clock::now())) < 0 && errno != EINTR) {
            throw std::system_error(errno, std::generic_category(), "poll");
        }
        if (fds[0].revents != 0) {
            log_.Note("signal " + std::to_string(signals_.Take()) + ": stopping");
            break;
        }
        // Commands first: one written before a request then takes effect before its answer.
        if (fds[2].revents != 0) {
            ReadCommands();
        }
        if (!stop_ && (fds[1].revents & POLLIN) != 0) {
            Receive(Clock::now());
        }
        if (!stop_) {
            const Clock::time_point now = Clock::now();
            Tick(now);
            line_.Pump(now, pty_.master.Get(), log_);
        }
    }
    return 0;
}

void Simulator::PrintPath() const {
    // The first and only line on stdout: whoever started us waits for it.
    std::cout << pty_.path << std::endl;
}

void Simulator::Receive(Clock::time_point now) {
    std::visit(Overloaded{
                   [&](const Request& request) { OnRequest(request.bytes, now); },
                   [&](const OtherUnit& other) {
                       log_.Note("rx for unit " + std::to_string(other.unit) + ": ignored");
                   },
                   [&](const BadFrame& bad) { log_.Note("rx refused: " + bad.reason); },
               },
               reader_.Next());
}

void Simulator::OnRequest(const Frame& request, Clock::time_point received) {
    log_.Frame("rx", request);
    if (fault_ == Fault::Vanish) {
        Vanish();
        return;
    }
    if (fault_ == Fault::Silent) {
        log_.Note("silent: no answer");
        return;
    }
    std::optional<Frame> answer = Answer(request);
    if (answer) {
        QueueAnswer(line_, fault_, std::move(*answer), received, random_);
    } else {
        log_.Note("broadcast: no answer");
    }
}

std::optional<Frame> Simulator::Answer(const Frame& request) {
    const bool broadcast = request[0] == MODBUS_BROADCAST_ADDRESS;
    if (fault_ == Fault::Exception) {
        return broadcast
                   ? std::nullopt
                   : std::optional(replies_.ExceptionReply(request, Exception::DeviceFailure));
    }
    const Exception result = model_.Serve(request[1], Word(request, 2), Word(request, 4));
    if (broadcast) {
        return std::nullopt; // obeyed, never answered
    }
    if (result != Exception::None) {
        return replies_.ExceptionReply(request, result);
    }
    return replies_.Reply(request, model_.Read());
}

void Simulator::ReadCommands() {
    const bool open = stdin_.Fill();
    while (auto line = stdin_.NextLine()) {
        if (auto command = ParseCommand(*line)) {
            Execute(*command);
        }
        if (stop_) {
            return;
        }
    }
    if (!open) {
        log_.Note("end of standard input: stopping");
        stop_ = true;
    }
}

void Simulator::Execute(const Command& command) {
    std::visit(Overloaded{
                   [&](const SetFault& set) {
                       fault_ = set.fault;
                       log_.Note("fault " + std::string(FaultName(fault_)));
                       if (fault_ == Fault::Vanish) {
                           Vanish();
                       }
                   },
                   [&](const SetAlarms& set) { model_.SetAlarms(set.bits); },
                   [&](const PinRegister& pin) { model_.Pin(pin.reg, pin.value); },
                   [&](const UnpinRegister& unpin) { model_.Unpin(unpin.reg); },
                   [&](const m7sim::ShowRegisters&) { ShowRegisters(); },
                   [&](const Quit&) { stop_ = true; },
                   [&](const BadCommand& bad) {
                       std::fprintf(stderr, "m7-sim: %s\n%s\n", bad.message.c_str(), kCommandHelp);
                   },
               },
               command);
}

void Simulator::ShowRegisters() const {
    const Registers registers = model_.Read();
    for (int first = 0; first < kRegisterCount; first += 10) {
        std::fprintf(stderr, "%2d-%2d:", first, first + 9);
        for (int i = first; i < first + 10; ++i) {
            std::fprintf(stderr, " %u", static_cast<unsigned>(registers[i]));
        }
        std::fputc('\n', stderr);
    }
}

void Simulator::Vanish() {
    // As if unplugged: the name goes first, then the device itself.
    link_.reset();
    pty_.slave.Reset();
    pty_.master.Reset();
    log_.Note("vanished");
    stop_ = true;
}

void Simulator::Tick(Clock::time_point now) {
    while (now - lastTick_ >= kTick) {
        model_.Advance(kTick);
        lastTick_ += kTick;
    }
}

int Simulator::PollTimeoutMs(Clock::time_point now) const {
    Clock::time_point wake = lastTick_ + kTick;
    if (const auto due = line_.NextDue()) {
        wake = std::min(wake, *due);
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - now);
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, wait.count()));
}

} // namespace m7sim
