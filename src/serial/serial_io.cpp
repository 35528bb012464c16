#include "serial_io.h"

#include "device_access.h"
#include "line_termios.h"

#include <algorithm>
#include <climits>

namespace {
// QTimer takes an int; anything longer is as good as waiting for the 4096th byte.
int TimerMs(quint32 ms) {
    return static_cast<int>(std::min<quint32>(ms, INT_MAX));
}

// Qt does not notice a vanished device on its own; this catches it even when no read or
// write is under way to fail.
constexpr int kWatchIntervalMs = 300;
} // namespace

SerialIo::SerialIo(const TComm::LineSettings& line, quint32 readIntervalMs) : line_(line) {
    silence_.setSingleShot(true);
    silence_.setTimerType(Qt::PreciseTimer);
    silence_.setInterval(TimerMs(readIntervalMs));
    watch_.setInterval(kWatchIntervalMs);
    connect(&silence_, &QTimer::timeout, this, &SerialIo::completeRead);
    connect(&watch_, &QTimer::timeout, this, &SerialIo::checkLine);
    connect(&port_, &QSerialPort::readyRead, this, &SerialIo::readAvailable);
    connect(&port_, &QSerialPort::bytesWritten, this, &SerialIo::bytesWritten);
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialIo::portError);
}

QString SerialIo::open(const QString& path) {
    const QString error = setUp(path);
    if (!error.isEmpty()) {
        release();
    }
    return error;
}

QString SerialIo::setUp(const QString& path) {
    port_.setPortName(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        return QStringLiteral("cannot open %1: %2").arg(path, port_.errorString());
    }
    if (!LockExclusive(static_cast<int>(port_.handle()))) {
        return QStringLiteral("%1 is held by another program").arg(path);
    }
    if (!port_.clear(QSerialPort::AllDirections)) {
        return QStringLiteral("cannot discard the queues of %1").arg(path);
    }
    ApplyLineSettings(static_cast<int>(port_.handle()), line_);
    counters_ = ReadLineCounters(static_cast<int>(port_.handle()));
    watch_.start();
    return {};
}

void SerialIo::write(const QByteArray& bytes) {
    if (port_.isOpen()) {
        port_.write(bytes);
    }
}

void SerialIo::applyLineSettings(const TComm::LineSettings& line) {
    line_ = line;
    if (port_.isOpen()) {
        ApplyLineSettings(static_cast<int>(port_.handle()), line_);
    }
}

void SerialIo::setReadInterval(quint32 ms) {
    silence_.setInterval(TimerMs(ms));
}

void SerialIo::shutDown() {
    if (port_.isOpen()) {
        port_.clear(QSerialPort::AllDirections);
    }
    pending_.clear();
    release();
}

void SerialIo::readAvailable() {
    reportLineErrors();
    while (port_.bytesAvailable() > 0) {
        takeBytes(port_.read(kMaxRead - pending_.size()));
    }
    if (!pending_.isEmpty()) {
        silence_.start();
    }
}

void SerialIo::takeBytes(QByteArray chunk) {
    if (line_.ignoreNullChar) {
        chunk.removeIf([](char c) { return c == '\0'; });
    }
    pending_ += chunk;
    if (pending_.size() == kMaxRead) {
        completeRead();
    }
}

void SerialIo::completeRead() {
    silence_.stop();
    if (!pending_.isEmpty()) {
        emit received(pending_);
        pending_.clear();
    }
}

void SerialIo::bytesWritten() {
    if (port_.bytesToWrite() == 0) {
        emit sendEmpty();
    }
}

void SerialIo::portError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
        error == QSerialPort::ResourceError) {
        queueCheck();
    }
}

// Runs the check from the event loop: closing inside Qt's own read or write notification
// would delete the notifier under it. Qt repeats the error until then; one check is enough.
void SerialIo::queueCheck() {
    if (!checkQueued_) {
        checkQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                checkQueued_ = false;
                checkLine();
            },
            Qt::QueuedConnection);
    }
}

void SerialIo::checkLine() {
    if (!port_.isOpen()) {
        return;
    }
    if (!LineLost(static_cast<int>(port_.handle()))) {
        reportLineErrors();
        return;
    }
    // What arrived before the loss is still the far end's; hand it over first.
    completeRead();
    release();
    emit lost();
}

void SerialIo::reportLineErrors() {
    if (!counters_) {
        return;
    }
    const auto now = ReadLineCounters(static_cast<int>(port_.handle()));
    if (!now) {
        return;
    }
    const int errors = LineErrorsBetween(*counters_, *now);
    counters_ = now;
    if (errors != 0) {
        emit lineErrors(errors);
    }
}

void SerialIo::release() {
    silence_.stop();
    watch_.stop();
    if (port_.isOpen()) {
        port_.close();
    }
}
