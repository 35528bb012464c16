// The I/O thread of one opening. It makes the SerialIo (and with it the QSerialPort) on
// itself, opens the device, runs the event loop, and on its way out releases the device
// and destroys what it made, so that nothing of the port is touched from another thread.
#pragma once

#include "tcomm.h"

#include <QByteArray>
#include <QThread>
#include <functional>
#include <future>

class SerialIo;

class IoThread : public QThread {
    Q_OBJECT
public:
    IoThread(QString path, const TComm::LineSettings& line, quint32 readIntervalMs);
    ~IoThread() override;

    // Starts the thread and waits for the opening: the error text, or empty when open.
    QString openDevice();
    // Hands fn to the I/O thread and returns; false when the hand-off fails.
    bool post(std::function<void(SerialIo&)> fn);
    // Runs fn on the I/O thread and waits for it.
    void call(const std::function<void(SerialIo&)>& fn);
    // Ends the event loop; the device is released and the thread gone when this returns.
    void stop();

signals:
    // Emitted on the I/O thread.
    void received(const QByteArray& bytes);
    void lineErrors(int errors);
    void sendEmpty();
    void lost();

protected:
    void run() override;

private:
    void forward(SerialIo& io);

    const QString path_;
    const TComm::LineSettings line_;
    const quint32 readIntervalMs_;
    std::promise<QString> opened_;
    SerialIo* io_ = nullptr; // set before opened_ is fulfilled, valid until stop()
};
