// Runs a fuzz target over committed inputs without libFuzzer, so every build (g++
// included) checks the corpus. Arguments: files or directories of files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    // An exactly sized heap copy, so a read past the input is caught under ASan.
    const auto input = std::make_unique<std::uint8_t[]>(bytes.size());
    std::memcpy(input.get(), bytes.data(), bytes.size());
    LLVMFuzzerTestOneInput(input.get(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        std::vector<std::filesystem::path> files{arg};
        if (std::filesystem::is_directory(arg)) {
            files.assign(std::filesystem::directory_iterator(arg), {});
        }
        for (const auto& file : files) {
            if (!Replay(file)) {
                return 1;
            }
            ++count;
        }
    }
    std::printf("replayed %zu inputs\n", count);
    // An empty corpus would pass without checking anything.
    return count > 0 ? 0 : 1;
}
