#pragma once

namespace m7sim {

// Owns one file descriptor and closes it when it goes out of scope.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) noexcept : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Reset(); }

    int Get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void Reset() noexcept;

private:
    int fd_ = -1;
};

// Throws std::system_error with errno when `result` is negative; returns it otherwise.
int CheckSys(int result, const char* what);

void SetCloseOnExec(int fd);
void SetNonBlocking(int fd);

} // namespace m7sim
