#include "port_name.h"

#include <QRegularExpression>

QString ResolvePortName(const QString& name) {
#ifdef Q_OS_WIN
    return name;
#else
    static const QRegularExpression comPort(QStringLiteral("^COM([1-9])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch com = comPort.match(name);
    if (com.hasMatch()) {
        return QStringLiteral("/dev/ttyS%1").arg(com.captured(1).toInt() - 1);
    }
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('.'))) {
        return name;
    }
    return QStringLiteral("/dev/") + name;
#endif
}
