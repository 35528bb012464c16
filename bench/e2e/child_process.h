// A child process for the benchmarks, started with posix_spawn so the start instant is
// taken right before the spawn. Its standard input is a pipe held open for its whole
// life (the simulator ends at end of input); its standard output goes to a pipe the
// parent reads lines from, or to a file.
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// CLOCK_MONOTONIC in nanoseconds: one clock for parent and child alike.
std::int64_t MonotonicNs();

// A file descriptor closed with its owner.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    int get() const { return fd_; }
    void reset();

private:
    int fd_ = -1;
};

class ChildProcess {
public:
    struct Exit {
        int status = -1;       // as waitpid gives it; -1 if the child could not be reaped
        double cpuSeconds = 0; // user and system time of its whole life, from wait4
    };

    // An empty outputFile means a pipe. argv[0] is looked up on PATH. Throws on failure.
    explicit ChildProcess(const std::vector<std::string>& argv, const std::string& outputFile = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    std::int64_t startedNs() const { return startedNs_; }

    // The next line of the output pipe without its newline; empty on time-out or end.
    std::string readLine(int timeoutMs);
    // CPU time so far, from schedstat under /proc/<pid>/task: nanosecond resolution,
    // where /proc/<pid>/stat counts in 10 ms ticks.
    double cpuSeconds() const;
    // Waits for the child to end by itself, then sends SIGKILL after timeoutMs.
    Exit wait(int timeoutMs);
    // Sends signal, then waits as wait() does.
    Exit stop(int signal, int timeoutMs = 3000);

private:
    pid_t pid_ = -1;
    UniqueFd input_;
    UniqueFd output_;
    std::int64_t startedNs_ = 0;
    std::string pending_;
};
