#pragma once

#include <string>

#include "fd.h"

namespace m7sim {

// A pseudo-terminal pair. The simulator keeps `slave` open (and never reads it, nor
// locks it) so that the master does not see EIO while no panel has the port open and
// so that the raw settings survive between panels.
struct Pty {
    Fd master;
    Fd slave;
    std::string path;
};

// A new pair in raw mode, 8 data bits, no parity; the master does not block.
Pty OpenPty();

} // namespace m7sim
