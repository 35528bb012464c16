#pragma once

// This process's resident memory, from /proc/self/status.
#include <fstream>
#include <sstream>
#include <string>

namespace soak {

// VmRSS in kB; -1 when it cannot be read.
inline long VmRssKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            long kb = -1;
            fields >> kb;
            return kb;
        }
    }
    return -1;
}

} // namespace soak
