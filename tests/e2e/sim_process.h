#pragma once

// The simulated controller as a child process: its device path is the first line it
// prints; commands go to its standard input.
#include <QProcess>
#include <QString>

class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments = {}) {
        process_.setProgram(M7_SIM_PATH);
        process_.setArguments(arguments);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (process_.waitForStarted(5000) && process_.waitForReadyRead(5000)) {
            path_ = QString::fromUtf8(process_.readLine()).trimmed();
        }
    }
    ~SimProcess() {
        process_.closeWriteChannel();
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const QString& devicePath() const { return path_; }
    void command(const QString& line) {
        process_.write((line + '\n').toUtf8());
        process_.waitForBytesWritten(1000);
    }
    bool finished(int waitMs) { return process_.waitForFinished(waitMs); }

private:
    QProcess process_;
    QString path_;
};
