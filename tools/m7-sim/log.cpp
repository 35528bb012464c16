#include "log.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace m7sim {

namespace {

std::string Stamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(millis));
    return text;
}

} // namespace

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, text.empty() ? "%02X" : " %02X", byte);
        text += pair;
    }
    return text;
}

void Log::Frame(std::string_view label, std::span<const std::uint8_t> bytes) const {
    if (enabled_) {
        Note(std::string(label) + " " + Hex(bytes));
    }
}

void Log::Note(std::string_view text) const {
    if (enabled_) {
        std::fprintf(stderr, "%s %.*s\n", Stamp().c_str(), static_cast<int>(text.size()),
                     text.data());
    }
}

} // namespace m7sim
