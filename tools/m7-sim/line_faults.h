#pragma once

#include <random>

#include "fault.h"
#include "transmitter.h"

namespace m7sim {

// Puts the answer to a request received at `received` on the line, bent the way
// `fault` says. Silence, exceptions and vanishing are decided before an answer exists.
void QueueAnswer(Transmitter& line, Fault fault, Frame answer, Clock::time_point received,
                 std::mt19937& random);

} // namespace m7sim
