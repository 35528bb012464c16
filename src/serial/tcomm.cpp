#include "tcomm.h"

#include "device_access.h"
#include "io_thread.h"
#include "serial_io.h"

TComm::TComm(QObject* parent) : QObject(parent) {}

TComm::~TComm() {
    ClosePort();
}

void TComm::OpenPort() {
    if (isOpen()) {
        throw ECommsError("the port is already open");
    }
    const DeviceTarget device = FindDevice(commName_);
    if (!device.error.isEmpty()) {
        throw ECommsError(device.error.toStdString());
    }
    auto io = std::make_unique<IoThread>(device.path, line_, timeouts_.readInterval);
    connectIo(io.get());
    const QString error = io->openDevice();
    if (!error.isEmpty()) {
        throw ECommsError(error.toStdString());
    }
    io_ = std::move(io);
}

void TComm::ClosePort() {
    if (isOpen()) {
        stopIo();
    }
}

bool TComm::QueueWrite(const quint8* bytes, quint16 length) {
    if (!isOpen() || bytes == nullptr || length == 0) {
        return false;
    }
    QByteArray copy(reinterpret_cast<const char*>(bytes), length);
    return io_->post([copy = std::move(copy)](SerialIo& io) { io.write(copy); });
}

void TComm::setBaudRate(quint32 rate) {
    if (rate == line_.baudRate) {
        return;
    }
    line_.baudRate = rate;
    if (isOpen()) {
        io_->call([line = line_](SerialIo& io) { io.applyLineSettings(line); });
    }
}

void TComm::setReadIntervalTimeout(quint32 ms) {
    timeouts_.readInterval = ms;
    if (isOpen()) {
        io_->post([ms](SerialIo& io) { io.setReadInterval(ms); });
    }
}

// Every event carries the opening it came from; one from an earlier opening is stale.
void TComm::connectIo(IoThread* io) {
    const quint64 session = session_;
    connect(io, &IoThread::received, this, [this, session](const QByteArray& bytes) {
        if (session == session_) {
            emit OnReceiveData(this, reinterpret_cast<const quint8*>(bytes.constData()),
                               static_cast<quint16>(bytes.size()));
        }
    });
    connect(io, &IoThread::lineErrors, this, [this, session](int errors) {
        if (session == session_) {
            emit OnReceiveError(this, errors);
        }
    });
    connect(io, &IoThread::sendEmpty, this, [this, session] {
        if (session == session_) {
            emit OnSendDataEmpty(this);
        }
    });
    connect(io, &IoThread::lost, this, [this, session] { handleLoss(session); });
}

void TComm::stopIo() {
    const std::unique_ptr<IoThread> io = std::move(io_);
    ++session_;
    io->stop();
}

// The I/O thread has already released the device; what is left is to end the thread.
void TComm::handleLoss(quint64 session) {
    if (session == session_) {
        stopIo();
        emit OnRequestHangup(this);
    }
}
