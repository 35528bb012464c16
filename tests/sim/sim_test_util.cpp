#include "sim_test_util.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "m7-sim-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool Exists(const std::filesystem::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool GoneWithin(const std::filesystem::path& path, std::chrono::milliseconds limit) {
    const auto deadline = SteadyClock::now() + limit;
    while (Exists(path)) {
        if (SteadyClock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

std::vector<std::uint16_t> RegistersOf(const Frame& answer) {
    std::vector<std::uint16_t> values;
    for (std::size_t i = 3; i + 3 < answer.size(); i += 2) {
        values.push_back(static_cast<std::uint16_t>(answer[i] << 8 | answer[i + 1]));
    }
    return values;
}

double CpuSeconds(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14) {
            ticks += std::stol(field); // utime, stime
        }
    }
    return static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}
