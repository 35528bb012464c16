#pragma once

// With M7_SOAK_TRACE set, the panel's deliveries and the simulator's log go to stderr,
// stamped alike, to show what happened around a finding.
#include <QByteArray>
#include <QTime>
#include <QtGlobal>
#include <cstdio>

namespace soak {

inline bool Tracing() {
    static const bool on = qEnvironmentVariableIsSet("M7_SOAK_TRACE");
    return on;
}

inline void Trace(const QByteArray& line) {
    if (Tracing()) {
        std::fprintf(stderr, "%s %s\n", qPrintable(QTime::currentTime().toString("HH:mm:ss.zzz")),
                     line.constData());
    }
}

} // namespace soak
