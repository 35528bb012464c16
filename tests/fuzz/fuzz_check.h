#pragma once

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input. Unlike assert() it stays in release
// builds, and the abort is what libFuzzer and the replay test both count as a failure.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "fuzz property violated: %s\n", property);
        std::abort();
    }
}
