#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>

namespace m7sim {

inline constexpr int kRegisterCount = 30;
using Registers = std::array<std::uint16_t, kRegisterCount>;

// The registers the controller gives a meaning to; all others read 0.
namespace reg {
inline constexpr int kSetpoint = 0;     // hundredths of a percent, 0..10000, writable
inline constexpr int kRunState = 3;     // bit 0 set while running; write 0 runs, 1 stops
inline constexpr int kInput = 10;       // tenths of a percent
inline constexpr int kOutput = 11;      // tenths of a percent
inline constexpr int kTemperature = 12; // whole degrees
inline constexpr int kAlarms = 13;      // bits 0..8
inline constexpr int kVoltageTop = 15;  // tenths of a volt
inline constexpr int kCurrentL1 = 20;   // tenths of an ampere; L2 and L3 follow
inline constexpr int kVoltage = 23;     // tenths of a volt
} // namespace reg

inline constexpr std::uint16_t kSetpointMax = 10000;
inline constexpr unsigned kAlarmMask = 0x1FF;

inline constexpr std::uint8_t kReadHolding = 0x03;
inline constexpr std::uint8_t kWriteSingle = 0x06;

enum class Exception : std::uint8_t {
    None = 0,
    IllegalFunction = 1,
    IllegalDataAddress = 2,
    IllegalDataValue = 3,
    DeviceFailure = 4,
};

// The M7 controller behind the registers: run/stop, the output ramp, the temperature
// and the line measurements. Time moves only through Advance.
class Model {
public:
    explicit Model(std::uint32_t noiseSeed);

    // One request as the controller sees it: function 03 with (start, count) or
    // function 06 with (register, value). A good write takes effect at once.
    Exception Serve(std::uint8_t function, std::uint16_t address, std::uint16_t word);

    void Advance(std::chrono::milliseconds elapsed);
    Registers Read() const;

    void SetAlarms(std::uint16_t bits) { alarms_ = bits & kAlarmMask; }
    // A pinned register reads `value` whatever the controller does underneath.
    void Pin(int reg, std::uint16_t value) { pins_.at(reg) = value; }
    void Unpin(int reg) { pins_.at(reg).reset(); }

private:
    Exception Write(std::uint16_t reg, std::uint16_t value);
    void Ramp(double seconds);
    void Heat(double seconds);
    void DrawNoise();
    void FillMeasurements(Registers& r) const;

    std::uint16_t setpoint_ = 5000;
    bool running_ = false;
    double output_ = 0.0; // tenths of a percent, between ramp steps
    double temperature_;
    std::uint16_t alarms_ = 0;
    std::array<int, 3> currentNoise_{};
    int voltageNoise_ = 0;
    std::array<std::optional<std::uint16_t>, kRegisterCount> pins_{};
    std::mt19937 random_;
};

} // namespace m7sim
