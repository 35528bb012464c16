#include "answer_audit.h"

#include <array>

#include "modbus_check.h"

namespace soak {

namespace {

// The registers of each block the panel shows, and so keeps.
std::span<const int> ShownRegisters(std::uint8_t block) {
    static constexpr std::array kBlock0{0, 3};
    static constexpr std::array kBlock1{10, 11, 12, 13, 15};
    static constexpr std::array kBlock2{20, 21, 22, 23};
    switch (block) {
    case 0:
        return kBlock0;
    case 1:
        return kBlock1;
    default:
        return kBlock2;
    }
}

std::string Block(int block) {
    return "block " + std::to_string(block);
}

} // namespace

void AnswerAudit::PollTick(qint64 ms, bool requestSent) {
    CloseInterval();
    interval_ = Interval{requestSent, requestSent && schedule_.CleanNone(ms), state_.PollPhase, ms};
    if (requestSent) {
        ++counts_.requests;
    }
}

void AnswerAudit::CloseInterval() {
    if (!interval_.clean) {
        return;
    }
    ++counts_.cleanRequests;
    if (interval_.good == 1 && interval_.storedRight == 1) {
        ++counts_.cleanAnswered;
        return;
    }
    failures_.Add("fault-free request for " + Block(interval_.block) + " sent at " +
                  std::to_string(interval_.sentMs) + " ms: " + std::to_string(interval_.good) +
                  " good answers before the next tick, " + std::to_string(interval_.storedRight) +
                  " stored as that block");
}

std::optional<TakenAnswer> AnswerAudit::Answer(qint64 ms, std::span<const std::uint8_t> answer,
                                               bool commandOutstanding) {
    ++counts_.good;
    ++interval_.good;
    const std::optional<std::uint8_t> carried = MarkedBlock(answer);
    if (!carried) {
        failures_.Add("a good answer without a block marker");
        return std::nullopt;
    }
    const std::uint8_t phase = state_.PollPhase;
    if (commandOutstanding || state_.ResponseReceived != 1 || !ImageHolds(answer, phase)) {
        ++counts_.lost;
        failures_.Add("good answer carrying " + Block(*carried) + " not stored (poll phase " +
                      std::to_string(phase) + ", command outstanding " +
                      std::to_string(commandOutstanding) + ")");
        return std::nullopt;
    }
    ++counts_.stored;
    if (*carried != phase) {
        ++counts_.storedLate;
        if (!schedule_.SlowAftermath(ms)) {
            failures_.Add("answer carrying " + Block(*carried) + " stored as " + Block(phase));
        }
        return TakenAnswer{*carried, false};
    }
    ++interval_.storedRight;
    return TakenAnswer{*carried, true};
}

void AnswerAudit::Buried(qint64 ms, std::size_t offset) {
    ++counts_.buried;
    if (!schedule_.NoiseAftermath(ms)) {
        failures_.Add("a whole answer behind " + std::to_string(offset) +
                      " other bytes in one delivery, without line noise");
    }
}

bool AnswerAudit::ImageHolds(std::span<const std::uint8_t> answer, std::uint8_t block) const {
    for (const int reg : ShownRegisters(block)) {
        if (image_[static_cast<std::size_t>(reg)] != AnswerRegister(answer, reg % 10)) {
            return false;
        }
    }
    return true;
}

} // namespace soak
