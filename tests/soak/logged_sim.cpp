#include "logged_sim.h"

#include <QDeadlineTimer>

#include "trace.h"

namespace soak {

namespace {

constexpr std::size_t kRecentLines = 40;

} // namespace

LoggedSim::LoggedSim(QStringList arguments) {
    arguments << "--log";
    process_.setProgram(M7_SIM_PATH);
    process_.setArguments(arguments);
    QObject::connect(&process_, &QProcess::readyReadStandardError, &process_,
                     [this] { TakeLog(); });
    process_.start();
    process_.waitForStarted(5000);
    // The log may speak first: wait for the line on standard output itself.
    const QDeadlineTimer deadline(5000);
    while (!process_.canReadLine() && process_.state() != QProcess::NotRunning &&
           !deadline.hasExpired()) {
        process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    }
    if (process_.canReadLine()) {
        path_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
}

LoggedSim::~LoggedSim() {
    process_.disconnect();
    process_.closeWriteChannel();
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

void LoggedSim::command(const QString& line) {
    process_.write((line + '\n').toUtf8());
    process_.waitForBytesWritten(1000);
}

QStringList LoggedSim::recentLines() const {
    return QStringList(recent_.begin(), recent_.end());
}

void LoggedSim::TakeLog() {
    partial_ += process_.readAllStandardError();
    for (qsizetype end = partial_.indexOf('\n'); end >= 0; end = partial_.indexOf('\n')) {
        const QByteArray line = partial_.left(end);
        partial_.remove(0, end + 1);
        Count(line);
        Trace("sim " + line);
        recent_.push_back(QString::fromUtf8(line));
        if (recent_.size() > kRecentLines) {
            recent_.pop_front();
        }
    }
}

// A line is "HH:MM:SS.mmm LABEL HEX..."; the labels of answers carry their fault.
void LoggedSim::Count(const QByteArray& line) {
    const QByteArray entry = line.mid(line.indexOf(' ') + 1);
    if (entry.startsWith("rx 01 03 ")) {
        ++counts_.readRequests;
    } else if (entry.startsWith("rx 01 06 ")) {
        ++counts_.writeRequests;
    } else if (entry.startsWith("tx 01 03 14 ") || entry.startsWith("tx slow 01 03 14 ")) {
        ++counts_.wholeAnswers;
    }
}

} // namespace soak
