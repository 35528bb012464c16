#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "options.h"
#include "simulator.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = m7sim::ParseOptions(args);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "m7-sim: %s\n%s", error->c_str(), m7sim::Usage().c_str());
        return 2;
    }
    const auto& options = std::get<m7sim::Options>(parsed);
    if (options.help) {
        std::fputs(m7sim::Usage().c_str(), stdout);
        return 0;
    }
    try {
        m7sim::Simulator simulator(options);
        return simulator.Run();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "m7-sim: %s\n", failure.what());
        return 1;
    }
}
