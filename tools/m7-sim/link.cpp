#include "link.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "fd.h"

namespace m7sim {

namespace {

std::string ReadLink(const std::string& path) {
    std::vector<char> text(4096);
    const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
    return length < 0 ? std::string() : std::string(text.data(), static_cast<size_t>(length));
}

} // namespace

SymLink::SymLink(std::string path, std::string target)
    : path_(std::move(path)), target_(std::move(target)) {
    struct stat status {};
    if (::lstat(path_.c_str(), &status) == 0) {
        if (!S_ISLNK(status.st_mode)) {
            throw std::system_error(EEXIST, std::generic_category(), path_ + " is not a link");
        }
        CheckSys(::unlink(path_.c_str()), "unlink old link");
    }
    CheckSys(::symlink(target_.c_str(), path_.c_str()), "symlink");
}

SymLink::~SymLink() {
    // Another simulator may have taken the name over since; leave its link alone.
    if (ReadLink(path_) == target_) {
        ::unlink(path_.c_str());
    }
}

} // namespace m7sim
