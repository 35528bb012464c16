#pragma once

#include "fd.h"

namespace m7sim {

// Turns SIGINT, SIGTERM and SIGHUP into a byte on a pipe, so that the event loop sees
// them as input and leaves through the same clean-up as "quit". SIGPIPE is ignored:
// a reader of stdout that went away must not take the link's removal with it.
// One instance at a time.
class SignalPipe {
public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    int ReadFd() const { return readEnd_.Get(); }
    // The number of the signal that arrived.
    int Take() const;

private:
    Fd readEnd_;
    Fd writeEnd_;
};

} // namespace m7sim
