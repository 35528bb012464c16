#pragma once

#include <optional>
#include <string>

namespace m7sim {

// Cuts what arrives on a descriptor into lines.
class LineReader {
public:
    explicit LineReader(int fd) : fd_(fd) {}

    int Fd() const { return fd_; }
    // Reads what has arrived (call when readable); false once the input has ended.
    bool Fill();
    // The next whole line without its newline; after the end also a last unfinished one.
    std::optional<std::string> NextLine();

private:
    int fd_;
    std::string buffer_;
    bool ended_ = false;
};

} // namespace m7sim
