#pragma once

#include <string>

namespace m7sim {

// A symbolic link at `path` to `target` for as long as the object lives. A link left
// at `path` by an earlier run is replaced; any other file there is an error.
class SymLink {
public:
    SymLink(std::string path, std::string target);
    ~SymLink();
    SymLink(const SymLink&) = delete;
    SymLink& operator=(const SymLink&) = delete;

private:
    std::string path_;
    std::string target_;
};

} // namespace m7sim
