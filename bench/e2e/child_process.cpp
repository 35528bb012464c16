#include "child_process.h"

#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace {

struct Pipe {
    UniqueFd read;
    UniqueFd write;
};

// Close-on-exec, so no other child inherits the ends: the ones it needs are duplicated.
Pipe MakePipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe2 failed");
    }
    return {UniqueFd(fds[0]), UniqueFd(fds[1])};
}

// Owns the spawn's file actions for the few lines that need them.
class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        reset();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void UniqueFd::reset() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& outputFile) {
    Pipe input = MakePipe();
    Pipe output = outputFile.empty() ? MakePipe() : Pipe{};
    FileActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), input.read.get(), STDIN_FILENO);
    if (outputFile.empty()) {
        posix_spawn_file_actions_adddup2(actions.get(), output.write.get(), STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, outputFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);

    startedNs_ = MonotonicNs();
    if (posix_spawnp(&pid_, args[0], actions.get(), nullptr, args.data(), environ) != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + argv[0]);
    }
    input_ = std::move(input.write);
    output_ = std::move(output.read);
}

ChildProcess::~ChildProcess() {
    stop(SIGKILL);
}

std::string ChildProcess::readLine(int timeoutMs) {
    const std::int64_t deadline = MonotonicNs() + std::int64_t{timeoutMs} * 1'000'000;
    std::size_t newline;
    while ((newline = pending_.find('\n')) == std::string::npos) {
        const int leftMs = static_cast<int>((deadline - MonotonicNs()) / 1'000'000);
        pollfd ready{output_.get(), POLLIN, 0};
        if (output_.get() < 0 || leftMs <= 0 || poll(&ready, 1, leftMs) <= 0) {
            return {};
        }
        char chunk[512];
        const ssize_t got = ::read(output_.get(), chunk, sizeof chunk);
        if (got <= 0) {
            return {};
        }
        pending_.append(chunk, static_cast<std::size_t>(got));
    }
    std::string line = pending_.substr(0, newline);
    pending_.erase(0, newline + 1);
    return line;
}

// Summed over the child's threads: /proc/<pid>/schedstat alone is its main thread's.
double ChildProcess::cpuSeconds() const {
    double onCpuNs = 0;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid_) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double ns = 0;
        schedstat >> ns;
        onCpuNs += ns;
    }
    return onCpuNs / 1e9;
}

ChildProcess::Exit ChildProcess::wait(int timeoutMs) {
    const std::int64_t deadline = MonotonicNs() + std::int64_t{timeoutMs} * 1'000'000;
    Exit result;
    rusage usage{};
    pid_t reaped = -1;
    while (pid_ > 0 && (reaped = wait4(pid_, &result.status, WNOHANG, &usage)) == 0) {
        if (MonotonicNs() > deadline) {
            kill(pid_, SIGKILL);
            reaped = wait4(pid_, &result.status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (reaped != pid_) {
        return {};
    }
    pid_ = -1;
    input_.reset();
    result.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    return result;
}

// Never signals a pid of zero or below: kill() would take those as process groups.
ChildProcess::Exit ChildProcess::stop(int signal, int timeoutMs) {
    if (pid_ <= 0) {
        return {};
    }
    kill(pid_, signal);
    return wait(timeoutMs);
}
