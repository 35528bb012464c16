#include "io_thread.h"

#include "serial_io.h"

IoThread::IoThread(QString path, const TComm::LineSettings& line, quint32 readIntervalMs)
    : path_(std::move(path)), line_(line), readIntervalMs_(readIntervalMs) {}

IoThread::~IoThread() {
    stop();
}

QString IoThread::openDevice() {
    std::future<QString> opened = opened_.get_future();
    start();
    if (!isRunning() && !isFinished()) {
        return QStringLiteral("cannot start the I/O thread");
    }
    return opened.get();
}

bool IoThread::post(std::function<void(SerialIo&)> fn) {
    return QMetaObject::invokeMethod(
        io_, [io = io_, fn = std::move(fn)] { fn(*io); }, Qt::QueuedConnection);
}

void IoThread::call(const std::function<void(SerialIo&)>& fn) {
    QMetaObject::invokeMethod(
        io_, [io = io_, &fn] { fn(*io); }, Qt::BlockingQueuedConnection);
}

void IoThread::stop() {
    quit();
    wait();
}

void IoThread::run() {
    SerialIo io(line_, readIntervalMs_);
    forward(io);
    const QString error = io.open(path_);
    io_ = error.isEmpty() ? &io : nullptr;
    opened_.set_value(error);
    if (error.isEmpty()) {
        exec();
        io.shutDown();
    }
}

void IoThread::forward(SerialIo& io) {
    connect(&io, &SerialIo::received, this, &IoThread::received, Qt::DirectConnection);
    connect(&io, &SerialIo::lineErrors, this, &IoThread::lineErrors, Qt::DirectConnection);
    connect(&io, &SerialIo::sendEmpty, this, &IoThread::sendEmpty, Qt::DirectConnection);
    connect(&io, &SerialIo::lost, this, &IoThread::lost, Qt::DirectConnection);
}
