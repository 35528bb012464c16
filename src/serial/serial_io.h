// The reader and writer of one opening. Lives on, and is used only from, the I/O thread.
#pragma once

#include "line_health.h"
#include "tcomm.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <optional>

class SerialIo : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRead = 4096;

    SerialIo(const TComm::LineSettings& line, quint32 readIntervalMs);

    // Opens, locks and sets up the device; the error text, or empty when the port is open.
    QString open(const QString& path);
    void write(const QByteArray& bytes);
    void applyLineSettings(const TComm::LineSettings& line);
    void setReadInterval(quint32 ms);
    // Drops unread input and unsent output and releases the device.
    void shutDown();

signals:
    void received(const QByteArray& bytes);
    void lineErrors(int errors);
    void sendEmpty();
    void lost();

private:
    QString setUp(const QString& path);
    void readAvailable();
    void takeBytes(QByteArray chunk);
    void completeRead();
    void bytesWritten();
    void portError(QSerialPort::SerialPortError error);
    void queueCheck();
    void checkLine();
    void reportLineErrors();
    void release();

    QSerialPort port_;
    QTimer silence_;
    QTimer watch_;
    QByteArray pending_;
    TComm::LineSettings line_;
    std::optional<LineCounters> counters_;
    bool checkQueued_ = false;
};
