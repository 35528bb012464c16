#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

#include "raw_master.h"

using namespace std::chrono_literals;

// A directory of its own for links, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

bool Exists(const std::filesystem::path& path);
// True once `path` has gone, waiting up to `limit`.
bool GoneWithin(const std::filesystem::path& path, std::chrono::milliseconds limit);

// User and system CPU time the process has used so far.
double CpuSeconds(pid_t pid);

// The registers of a 03 answer (without checking it).
std::vector<std::uint16_t> RegistersOf(const Frame& answer);
