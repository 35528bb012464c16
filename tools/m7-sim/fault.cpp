#include "fault.h"

#include <algorithm>
#include <array>
#include <utility>

namespace m7sim {

namespace {

constexpr std::array<std::pair<Fault, std::string_view>, 8> kNames{{
    {Fault::None, "none"},
    {Fault::Silent, "silent"},
    {Fault::BadCrc, "bad-crc"},
    {Fault::Split, "split"},
    {Fault::Noise, "noise"},
    {Fault::Slow, "slow"},
    {Fault::Exception, "exception"},
    {Fault::Vanish, "vanish"},
}};

} // namespace

std::optional<Fault> ParseFault(std::string_view name) {
    const auto* found = std::find_if(kNames.begin(), kNames.end(),
                                     [name](const auto& entry) { return entry.second == name; });
    if (found == kNames.end()) {
        return std::nullopt;
    }
    return found->first;
}

std::string_view FaultName(Fault fault) {
    const auto* found = std::find_if(kNames.begin(), kNames.end(),
                                     [fault](const auto& entry) { return entry.first == fault; });
    return found->second;
}

std::string_view FaultNames() {
    return "none silent bad-crc split noise slow exception vanish";
}

} // namespace m7sim
