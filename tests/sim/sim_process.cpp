#include "sim_process.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

constexpr auto kStartLimit = 5s;

struct Pipe {
    m7sim::Fd read;
    m7sim::Fd write;
};

Pipe MakePipe() {
    int ends[2];
    m7sim::CheckSys(::pipe(ends), "pipe");
    m7sim::SetCloseOnExec(ends[0]);
    m7sim::SetCloseOnExec(ends[1]);
    return {m7sim::Fd(ends[0]), m7sim::Fd(ends[1])};
}

std::string ReadToEnd(int fd) {
    std::string text;
    std::array<char, 4096> chunk{};
    ssize_t length = 0;
    while ((length = ::read(fd, chunk.data(), chunk.size())) > 0) {
        text.append(chunk.data(), static_cast<std::size_t>(length));
    }
    return text;
}

std::string ReadLine(int fd, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string line;
    char c = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 50) == 1) {
            if (::read(fd, &c, 1) != 1 || c == '\n') {
                return line;
            }
            line += c;
        }
    }
    return line;
}

} // namespace

SimProcess::SimProcess(const std::vector<std::string>& args) {
    Pipe in = MakePipe();
    Pipe out = MakePipe();
    Pipe err = MakePipe();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.read.Get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.write.Get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.write.Get(), STDERR_FILENO);
    std::vector<std::string> argv_strings{M7_SIM_PATH};
    argv_strings.insert(argv_strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : argv_strings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const int failed = posix_spawn(&pid_, M7_SIM_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " M7_SIM_PATH);
    }
    stdin_ = std::move(in.write);
    stdout_ = std::move(out.read);
    stderr_ = std::move(err.read);
    path_ = ReadLine(stdout_.Get(), kStartLimit);
}

SimProcess::~SimProcess() {
    CloseStdin();
    if (!WaitExit(5s)) {
        ::kill(pid_, SIGKILL);
        WaitExit(5s);
    }
}

void SimProcess::Command(std::string_view line) const {
    const std::string text = std::string(line) + "\n";
    if (::write(stdin_.Get(), text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        throw std::runtime_error("cannot write to m7-sim");
    }
}

void SimProcess::Signal(int number) const {
    ::kill(pid_, number);
}

std::optional<int> SimProcess::WaitExit(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!status_) {
        int raw = 0;
        if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(10ms);
        }
    }
    return status_;
}

std::string SimProcess::RestOfStdout() const {
    return ReadToEnd(stdout_.Get());
}

std::string SimProcess::Stderr() const {
    return ReadToEnd(stderr_.Get());
}

CommandResult RunCommand(const std::string& command) {
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        throw std::runtime_error("cannot run " + command);
    }
    std::string output = ReadToEnd(::fileno(pipe));
    const int raw = ::pclose(pipe);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::move(output)};
}
