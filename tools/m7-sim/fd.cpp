#include "fd.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace m7sim {

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other) {
        Reset();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void Fd::Reset() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

int CheckSys(int result, const char* what) {
    if (result < 0) {
        throw std::system_error(errno, std::generic_category(), what);
    }
    return result;
}

void SetCloseOnExec(int fd) {
    CheckSys(::fcntl(fd, F_SETFD, FD_CLOEXEC), "fcntl(F_SETFD)");
}

void SetNonBlocking(int fd) {
    const int flags = CheckSys(::fcntl(fd, F_GETFL), "fcntl(F_GETFL)");
    CheckSys(::fcntl(fd, F_SETFL, flags | O_NONBLOCK), "fcntl(F_SETFL)");
}

} // namespace m7sim
