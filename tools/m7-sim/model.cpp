#include "model.h"

#include <algorithm>
#include <cmath>

namespace m7sim {

namespace {

constexpr int kMaxReadCount = 125; // the most registers one Modbus RTU answer can carry

constexpr double kRampPerSecond = 250.0; // full scale in four seconds
constexpr double kAmbient = 25.0;
constexpr double kIdleHeating = 5.0;     // degrees above ambient while running at zero output
constexpr double kHeatPerOutput = 0.05;  // degrees per tenth of a percent: 75 at full output
constexpr double kThermalSeconds = 30.0; // time constant of heating and cooling
constexpr double kInputPerOutput = 1.05; // the input carries the losses on top of the output
constexpr int kIdleInput = 15;
constexpr double kAmpsPerOutput = 0.5; // 50.0 A at full output
constexpr std::array<double, 3> kPhaseBalance{1.00, 0.98, 1.02};
constexpr int kCurrentNoise = 2;
constexpr double kNominalVoltage = 2300.0;
constexpr double kVoltageDropPerOutput = 0.02; // 2.0 V sag at full output
constexpr int kVoltageNoise = 8;
constexpr std::uint16_t kVoltageGaugeTop = 3800;

std::uint16_t ToRegister(double value) {
    return static_cast<std::uint16_t>(std::clamp(std::lround(value), 0L, 65535L));
}

} // namespace

Model::Model(std::uint32_t noiseSeed) : temperature_(kAmbient), random_(noiseSeed) {
    DrawNoise();
}

Exception Model::Serve(std::uint8_t function, std::uint16_t address, std::uint16_t word) {
    switch (function) {
    case kReadHolding:
        if (word < 1 || word > kMaxReadCount) {
            return Exception::IllegalDataValue;
        }
        return address + word > kRegisterCount ? Exception::IllegalDataAddress : Exception::None;
    case kWriteSingle:
        return Write(address, word);
    default:
        return Exception::IllegalFunction;
    }
}

Exception Model::Write(std::uint16_t reg, std::uint16_t value) {
    if (reg >= kRegisterCount) {
        return Exception::IllegalDataAddress;
    }
    if (reg == reg::kSetpoint && value <= kSetpointMax) {
        setpoint_ = value;
        return Exception::None;
    }
    if (reg == reg::kRunState && value <= 1) {
        running_ = value == 0; // the operator's switch writes 1 for STOP, 0 for RUN
        return Exception::None;
    }
    // Out of range for the setpoint or run state, or a measurement (read-only).
    return Exception::IllegalDataValue;
}

void Model::Advance(std::chrono::milliseconds elapsed) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    Ramp(seconds);
    Heat(seconds);
    DrawNoise();
}

void Model::Ramp(double seconds) {
    const double target = running_ ? setpoint_ / 10 : 0;
    const double step = kRampPerSecond * seconds;
    output_ =
        output_ < target ? std::min(target, output_ + step) : std::max(target, output_ - step);
}

void Model::Heat(double seconds) {
    const double hot = kAmbient + (running_ ? kIdleHeating : 0.0) + kHeatPerOutput * output_;
    temperature_ += (hot - temperature_) * std::min(1.0, seconds / kThermalSeconds);
}

void Model::DrawNoise() {
    std::uniform_int_distribution<int> current(-kCurrentNoise, kCurrentNoise);
    std::uniform_int_distribution<int> voltage(-kVoltageNoise, kVoltageNoise);
    for (int& noise : currentNoise_) {
        noise = current(random_);
    }
    voltageNoise_ = voltage(random_);
}

Registers Model::Read() const {
    Registers r{};
    r[reg::kSetpoint] = setpoint_;
    r[reg::kRunState] = running_ ? 1 : 0;
    FillMeasurements(r);
    for (int i = 0; i < kRegisterCount; ++i) {
        r[i] = pins_[i].value_or(r[i]);
    }
    return r;
}

void Model::FillMeasurements(Registers& r) const {
    const double idle = running_ ? kIdleInput : 0;
    r[reg::kInput] = std::min<std::uint16_t>(1000, ToRegister(output_ * kInputPerOutput + idle));
    r[reg::kOutput] = ToRegister(output_);
    r[reg::kTemperature] = ToRegister(temperature_);
    r[reg::kAlarms] = alarms_;
    r[reg::kVoltageTop] = kVoltageGaugeTop;
    for (int phase = 0; phase < 3; ++phase) {
        const double amps = output_ * kAmpsPerOutput * kPhaseBalance[phase];
        r[reg::kCurrentL1 + phase] = output_ > 0 ? ToRegister(amps + currentNoise_[phase]) : 0;
    }
    r[reg::kVoltage] =
        ToRegister(kNominalVoltage - kVoltageDropPerOutput * output_ + voltageNoise_);
}

} // namespace m7sim
