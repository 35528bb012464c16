#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "fd.h"

// One m7-sim process with pipes on its stdin, stdout and stderr. Construction waits
// for the device path line; destruction ends the process (stdin EOF, then SIGKILL).
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& Path() const { return path_; }
    pid_t Pid() const { return pid_; }
    void Command(std::string_view line) const;
    void CloseStdin() { stdin_.Reset(); }
    void Signal(int number) const;
    // The exit status (128 + signal if killed); nothing if still running after `limit`.
    std::optional<int> WaitExit(std::chrono::milliseconds limit);
    // What is left on stdout and stderr; call once the process has ended.
    std::string RestOfStdout() const;
    std::string Stderr() const;

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
    m7sim::Fd stdin_;
    m7sim::Fd stdout_;
    m7sim::Fd stderr_;
    std::string path_;
};

// The exit status and the combined output of a shell command.
struct CommandResult {
    int status;
    std::string output;
};
CommandResult RunCommand(const std::string& command);
