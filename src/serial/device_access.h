// Finding and holding the device behind a port name.
#pragma once

#include <QString>

struct DeviceTarget {
    QString path;  // the device itself, symlinks resolved
    QString error; // empty when the path names a character device
};

// Resolves the port name and every symlink on the way, so that locks and checks apply to
// the device and not to one of its names.
DeviceTarget FindDevice(const QString& commName);

// An exclusive flock on the open descriptor. Unlike Qt's lock file (one per path string)
// and TIOCEXCL (ignored for root) it holds whatever name or user the other opener has.
bool LockExclusive(int fd);
