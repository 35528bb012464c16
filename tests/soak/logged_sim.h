#pragma once

// The simulated controller as a child process with its frame log on: its device path is
// the first line it prints; commands go to its standard input; the log is counted as it
// comes, so the controller's own view of the line can be set against the panel's.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <deque>

namespace soak {

struct SimCounts {
    int readRequests = 0;
    int writeRequests = 0;
    int wholeAnswers = 0; // read answers sent in one piece with their CRC intact
};

class LoggedSim {
public:
    explicit LoggedSim(QStringList arguments);
    ~LoggedSim();
    LoggedSim(const LoggedSim&) = delete;
    LoggedSim& operator=(const LoggedSim&) = delete;

    const QString& devicePath() const { return path_; }
    bool running() const { return process_.state() == QProcess::Running; }
    void command(const QString& line);
    const SimCounts& counts() const { return counts_; }
    // The last lines of the log, to show around a finding.
    QStringList recentLines() const;

private:
    void TakeLog();
    void Count(const QByteArray& line);

    QProcess process_;
    QString path_;
    QByteArray partial_;
    SimCounts counts_;
    std::deque<QString> recent_;
};

} // namespace soak
