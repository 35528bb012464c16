#pragma once

// One soak: communication on, the faults switched every 20 s, the switch pressed every
// 30 s, resident memory sampled after the warm-up and at the end; then a few fault-free
// seconds for the last commands to show, and communication off.
#include <QStringList>

#include "answer_audit.h"
#include "command_audit.h"
#include "failure_log.h"
#include "fault_schedule.h"
#include "logged_sim.h"
#include "panel_observer.h"

namespace soak {

struct SoakFigures {
    qint64 durationS = 0;
    AnswerCounts answers;
    CommandCounts commands;
    SimCounts sim;
    long rssStartKb = -1;
    long rssEndKb = -1;
};

class SoakRun {
public:
    SoakRun(TForm1& form, const ProtocolState& state, const RegisterImage& image, LoggedSim& sim,
            qint64 durationMs);

    SoakFigures Run();
    const FailureLog& Failures() const { return failures_; }
    // The simulator's log shortly after the first finding.
    const QStringList& LogAtFirstFailure() const { return logAtFirstFailure_; }
    // How many presses the schedule makes in the run.
    int ScheduledCommands() const;

private:
    void Step();
    void Drain();

    TForm1& form_;
    LoggedSim& sim_;
    SoakClock clock_;
    FailureLog failures_;
    FaultSchedule schedule_;
    AnswerAudit answers_;
    CommandAudit commands_;
    PanelObserver observer_;
    qint64 nextSwitchMs_ = 0;
    qint64 nextCommandMs_ = FaultSchedule::kFirstCommandMs;
    bool pressDue_ = false;
    long rssStartKb_ = -1;
    bool snapshotTaken_ = false;
    QStringList logAtFirstFailure_;
};

} // namespace soak
