#pragma once

// Watches the real window from outside: its poll tick, its refresh tick and every
// delivery from the serial line, each seen just after the window's own handler ran.
// Being a QObject, it takes its connections with it when it goes.
#include <QObject>

#include "answer_audit.h"
#include "command_audit.h"
#include "failure_log.h"
#include "protocol_state.h"
#include "tform1.h"

namespace soak {

class PanelObserver : public QObject {
public:
    PanelObserver(TForm1& form, const ProtocolState& state, const SoakClock& clock,
                  AnswerAudit& answers, CommandAudit& commands);

    // The operator presses the run/stop switch.
    void PressSwitch();

private:
    void AfterPollTick();
    void AfterRefresh();
    void AfterDelivery(const quint8* buffer, quint16 length);
    // Whether the outstanding command was cleared since the last look.
    bool TakeClearing();

    TForm1& form_;
    const ProtocolState& state_;
    const SoakClock& clock_;
    AnswerAudit& answers_;
    CommandAudit& commands_;
    bool commandOutstanding_ = false;
};

} // namespace soak
