// What the end-to-end benchmarks share: the simulated controller as a child process, the
// operator's steps from a fresh window to polling, and waiting in the real event loop.
#pragma once

#include <functional>
#include <string>

#include "child_process.h"

class TForm1;

// m7-sim at the given line rate; its device path is the first line it prints.
struct Simulator {
    explicit Simulator(int baud);
    ChildProcess process;
    std::string path;
};

// The number after the option name, at least 1; fallback without the option.
int IntOption(int argc, char** argv, const char* name, int fallback);

// Headless unless the caller's environment says otherwise.
void UseOffscreenUnlessSet();

// Types the path into the port box, presses the port button and ticks communication,
// as the operator does. True when the port is open and communication on.
bool OperateToPolling(TForm1& form, const std::string& path);

// Runs the event loop (not QTest::qWait, which sleeps between its rounds) for ms.
void RunEventLoopFor(int ms);
// Runs the event loop until done() holds, checking every 20 ms, for at most ms.
bool RunEventLoopUntil(const std::function<bool()>& done, int ms);
