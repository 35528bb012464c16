#include "command_audit.h"

#include <algorithm>
#include <array>

#include "modbus_check.h"

namespace soak {

namespace {

constexpr std::uint8_t kRunStateRegister = 3;
constexpr int kTimeoutTicks = 4;

QString CaptionFor(bool running) {
    return running ? "STOP" : "RUN";
}

// What clears a command in each fault: its echo, whole or in part; under bad-crc the
// echo with both CRC bytes inverted; nothing under silent.
bool EchoFits(Fault fault, std::span<const std::uint8_t> delivery,
              const std::array<std::uint8_t, 8>& echo) {
    switch (fault) {
    case Fault::Split:
        return !delivery.empty() && delivery.size() <= echo.size() &&
               std::equal(delivery.begin(), delivery.end(), echo.begin());
    case Fault::BadCrc:
        return delivery.size() == echo.size() &&
               std::equal(echo.begin(), echo.begin() + 6, delivery.begin()) &&
               delivery[6] == (echo[6] ^ 0xFF) && delivery[7] == (echo[7] ^ 0xFF);
    case Fault::Silent:
        return false;
    default:
        return std::equal(delivery.begin(), delivery.end(), echo.begin(), echo.end());
    }
}

} // namespace

void CommandAudit::Pressed(qint64 ms, const QString& caption) {
    if (caption != "RUN" && caption != "STOP") {
        failures_.Add("the switch showed \"" + caption.toStdString() + "\"");
        return;
    }
    if (state_.WritePending != 1) {
        failures_.Add("a press on the switch showing " + caption.toStdString() +
                      " left no command outstanding");
        return;
    }
    if (schedule_.CleanNone(ms) && caption != CaptionFor(expectedRunning_)) {
        failures_.Add("the switch showed " + caption.toStdString() + " with the controller " +
                      (expectedRunning_ ? "running" : "stopped"));
    }
    const Command command{ms, schedule_.At(ms), static_cast<std::uint16_t>(caption == "STOP")};
    if (command.fault != Fault::Silent) {
        expectedRunning_ = command.value == 0;
    }
    commands_.push_back(command);
}

void CommandAudit::Cleared(std::span<const std::uint8_t> delivery) {
    Command* const command = Outstanding();
    if (command == nullptr) {
        return;
    }
    command->outcome = Outcome::Echoed;
    ++echoed_;
    if (!EchoFits(command->fault, delivery, WriteFrame(kRunStateRegister, command->value))) {
        failures_.Add(Describe(*command) + " cleared by " + Hex(delivery) + ", not its echo");
    }
}

void CommandAudit::RefreshTick(const QString& caption, bool cleared) {
    if (Command* const command = Outstanding()) {
        ++command->refreshTicks;
        if (cleared) {
            command->outcome = Outcome::TimedOut;
            ++timedOut_;
            if (command->fault != Fault::Silent && command->fault != Fault::Slow) {
                failures_.Add(Describe(*command) + " timed out: its echo never came");
            }
        } else if (command->refreshTicks == kTimeoutTicks) {
            failures_.Add(Describe(*command) + " still outstanding after its time-out");
        }
    }
    if (captionDue_) {
        if (caption != *captionDue_) {
            failures_.Add("the switch showed " + caption.toStdString() +
                          " after a block-0 answer calling for " + captionDue_->toStdString());
        } else if (!commands_.empty() && commands_.back().stateSeen) {
            commands_.back().captionSeen = true;
        }
        captionDue_.reset();
    }
}

void CommandAudit::RunStateSeen(bool running, bool stored) {
    if (running != expectedRunning_) {
        failures_.Add(
            std::string("the controller reads ") + (running ? "running" : "stopped") +
            (commands_.empty() ? " at the start" : " after " + Describe(commands_.back())));
    } else if (!commands_.empty() && commands_.back().outcome != Outcome::Pending) {
        commands_.back().stateSeen = true;
    }
    if (stored) {
        captionDue_ = CaptionFor(running);
    }
}

bool CommandAudit::Settled() const {
    return std::all_of(commands_.begin(), commands_.end(),
                       [this](const Command& command) { return Done(command); });
}

void CommandAudit::Finish() {
    for (const Command& command : commands_) {
        if (!Done(command)) {
            failures_.Add(Describe(command) + " never settled: cleared " +
                          std::to_string(command.outcome != Outcome::Pending) +
                          ", run state seen " + std::to_string(command.stateSeen) +
                          ", caption seen " + std::to_string(command.captionSeen));
        }
    }
}

CommandCounts CommandAudit::Counts() const {
    const auto verified = std::count_if(commands_.begin(), commands_.end(),
                                        [this](const Command& command) { return Done(command); });
    return {static_cast<int>(commands_.size()), echoed_, timedOut_, static_cast<int>(verified)};
}

// A command has settled once it was cleared and a later block-0 answer showed the
// controller, and then the switch, in the state it asked for.
bool CommandAudit::Done(const Command& command) const {
    return command.outcome != Outcome::Pending && command.stateSeen && command.captionSeen;
}

std::string CommandAudit::Describe(const Command& command) const {
    return "the command writing " + std::to_string(command.value) + " at " +
           std::to_string(command.ms) + " ms (" + FaultName(command.fault) + ")";
}

CommandAudit::Command* CommandAudit::Outstanding() {
    if (commands_.empty() || commands_.back().outcome != Outcome::Pending) {
        return nullptr;
    }
    return &commands_.back();
}

} // namespace soak
