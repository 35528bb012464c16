#include "soak_run.h"

#include <QTest>
#include <algorithm>

#include "process_memory.h"

namespace soak {

namespace {

constexpr int kStepMs = 100;
constexpr qint64 kWarmUpMs = 30000;
// After the answer (delivered about 110 ms after the tick at 38400 baud), the second half
// of a split answer (260 ms) and the noise burst after an answer (415 ms), so no read is
// on the line; and early enough that the burst after the echo (815 ms) is in before the
// next tick's answer, which it would otherwise run into.
constexpr int kPressAfterTickMs = 500;
// Enough fault-free polling after the soak for a full cycle of checked answers.
constexpr int kFaultFreeTailMs = 4000;
constexpr int kSettleLimitMs = 12000;
// Longer than a slow answer takes, so nothing is left on the line.
constexpr int kQuietMs = 2500;

} // namespace

SoakRun::SoakRun(TForm1& form, const ProtocolState& state, const RegisterImage& image,
                 LoggedSim& sim, qint64 durationMs)
    : form_(form), sim_(sim), failures_(clock_), schedule_(durationMs),
      answers_(state, image, schedule_, failures_), commands_(state, schedule_, failures_),
      observer_(form, state, clock_, answers_, commands_) {
    QObject::connect(&form.Timer1, &QTimer::timeout, &observer_, [this] {
        if (pressDue_) {
            pressDue_ = false;
            QTimer::singleShot(kPressAfterTickMs, Qt::PreciseTimer, &observer_,
                               [this] { observer_.PressSwitch(); });
        }
    });
}

SoakFigures SoakRun::Run() {
    clock_.Start();
    QTest::mouseClick(form_.CheckBox2, Qt::LeftButton);
    while (clock_.Ms() < schedule_.DurationMs()) {
        Step();
        QTest::qWait(kStepMs);
    }
    const long rssEndKb = VmRssKb();
    Drain();
    return {schedule_.DurationMs() / 1000,
            answers_.Counts(),
            commands_.Counts(),
            sim_.counts(),
            rssStartKb_,
            rssEndKb};
}

int SoakRun::ScheduledCommands() const {
    const qint64 span = schedule_.DurationMs() - FaultSchedule::kFirstCommandMs;
    return span <= 0 ? 0 : static_cast<int>((span - 1) / FaultSchedule::kCommandEveryMs + 1);
}

void SoakRun::Step() {
    const qint64 ms = clock_.Ms();
    if (ms >= nextSwitchMs_) {
        sim_.command(QString("fault ") + FaultName(schedule_.At(nextSwitchMs_)));
        nextSwitchMs_ += FaultSchedule::kPhaseMs;
    }
    if (ms >= nextCommandMs_) {
        pressDue_ = true;
        nextCommandMs_ += FaultSchedule::kCommandEveryMs;
    }
    if (rssStartKb_ < 0 && ms >= std::min(kWarmUpMs, schedule_.DurationMs() / 2)) {
        rssStartKb_ = VmRssKb();
    }
    if (failures_.Count() > 0 && !snapshotTaken_) {
        snapshotTaken_ = true;
        QTimer::singleShot(1500, &observer_, [this] { logAtFirstFailure_ = sim_.recentLines(); });
    }
}

void SoakRun::Drain() {
    sim_.command("fault none");
    QTest::qWait(kFaultFreeTailMs);
    // What has not settled by then, Finish reports.
    static_cast<void>(QTest::qWaitFor([this] { return commands_.Settled(); }, kSettleLimitMs));
    QTest::mouseClick(form_.CheckBox2, Qt::LeftButton);
    QTest::qWait(kQuietMs);
    commands_.Finish();
    if (failures_.Count() > 0 && logAtFirstFailure_.isEmpty()) {
        logAtFirstFailure_ = sim_.recentLines();
    }
}

} // namespace soak
