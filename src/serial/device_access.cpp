#include "device_access.h"

#include "port_name.h"

#include <QFileInfo>
#include <sys/file.h>
#include <sys/stat.h>

DeviceTarget FindDevice(const QString& commName) {
    const QString name = ResolvePortName(commName);
    const QString path = QFileInfo(name).canonicalFilePath();
    if (path.isEmpty()) {
        return {name, QStringLiteral("no device %1").arg(name)};
    }
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISCHR(info.st_mode)) {
        return {path, QStringLiteral("%1 is not a character device").arg(path)};
    }
    return {path, {}};
}

bool LockExclusive(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}
