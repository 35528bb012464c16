#include "panel_observer.h"

#include <QTest>
#include <span>

#include "modbus_check.h"
#include "trace.h"

namespace soak {

PanelObserver::PanelObserver(TForm1& form, const ProtocolState& state, const SoakClock& clock,
                             AnswerAudit& answers, CommandAudit& commands)
    : form_(form), state_(state), clock_(clock), answers_(answers), commands_(commands) {
    connect(&form.Timer1, &QTimer::timeout, this, &PanelObserver::AfterPollTick);
    connect(&form.Timer2, &QTimer::timeout, this, &PanelObserver::AfterRefresh);
    connect(
        &form.Comm1, &TComm::OnReceiveData, this,
        [this](TComm*, const quint8* buffer, quint16 length) { AfterDelivery(buffer, length); });
}

void PanelObserver::PressSwitch() {
    const QString caption = form_.iSwitchLed1->caption();
    QTest::mouseClick(form_.iSwitchLed1, Qt::LeftButton);
    commandOutstanding_ = state_.WritePending != 0;
    commands_.Pressed(clock_.Ms(), caption);
}

// A read goes out when communication is on and no command is outstanding.
void PanelObserver::AfterPollTick() {
    const bool sent =
        form_.CheckBox2->isChecked() && form_.Comm1.isOpen() && state_.WritePending == 0;
    answers_.PollTick(clock_.Ms(), sent);
}

void PanelObserver::AfterRefresh() {
    const bool cleared = TakeClearing();
    commands_.RefreshTick(form_.iSwitchLed1->caption(), cleared);
}

void PanelObserver::AfterDelivery(const quint8* buffer, quint16 length) {
    const bool wasOutstanding = commandOutstanding_;
    const std::span<const std::uint8_t> delivery(buffer, length);
    if (Tracing()) {
        Trace(QByteArray("panel rx ") + Hex(delivery).c_str());
    }
    if (TakeClearing()) {
        commands_.Cleared(delivery);
    }
    if (!IsBlockAnswer(delivery)) {
        if (const std::optional<std::size_t> at = FindBlockAnswer(delivery)) {
            answers_.Buried(clock_.Ms(), *at);
        }
        return;
    }
    const std::optional<TakenAnswer> taken = answers_.Answer(clock_.Ms(), delivery, wasOutstanding);
    if (MarkedBlock(delivery) == 0) {
        commands_.RunStateSeen((AnswerRegister(delivery, 3) & 1u) != 0,
                               taken && taken->storedAsCarried);
    }
}

bool PanelObserver::TakeClearing() {
    const bool cleared = commandOutstanding_ && state_.WritePending == 0;
    commandOutstanding_ = state_.WritePending != 0;
    return cleared;
}

} // namespace soak
