#include "tform1.h"

#include <QMessageBox>
#include <QThread>

#include "commands.h"
#include "decoder.h"
#include "frames.h"
#include "hex_text.h"
#include "lamp_pictures.h"
#include "poll_tick.h"
#include "text_conv.h"

namespace {

const QString kOpenCaption = QString::fromUtf8("打开串口");
const QString kCloseCaption = QString::fromUtf8("关闭串口");
const QString kOpenFailedText = QString::fromUtf8("打开串口错误");

std::string Utf8(const QString& text) {
    return text.toStdString();
}

} // namespace

TForm1::TForm1(ProtocolState& state, RegisterImage& image, QWidget* parent)
    : QMainWindow(parent), Comm1(this), Timer1(this), Timer2(this), state_(state), image_(image) {
    setupUi(this);
    ApplyDesignSettings();
    ConnectEvents();
    Timer1.start();
    Timer2.start();
    FormCreate();
}

void TForm1::ApplyDesignSettings() {
    move(221, 101);
    for (QLabel* picture : {Image7, Image9}) {
        picture->setPixmap(UnlitLampPicture());
    }
    for (QLabel* picture : {Image14, Image20}) {
        picture->setPixmap(LitLampPicture());
    }
    UpDown1->setAssociate(iAnalogOutput2);

    Comm1.setCommName("COM4");
    Comm1.setBaudRate(19200);
    Comm1.setByteSize(TComm::TByteSize::_8);
    Comm1.setParity(TComm::TParity::None);
    Comm1.setStopBits(TComm::TStopBits::_1);
    Comm1.setParityCheck(false);
    Comm1.setOutx_CtsFlow(false);
    Comm1.setOutx_DsrFlow(false);
    Comm1.setDtrControl(TComm::TDtrControl::DtrEnable);
    Comm1.setDsrSensitivity(false);
    Comm1.setTxContinueOnXoff(true);
    Comm1.setOutx_XonXoffFlow(false);
    Comm1.setInx_XonXoffFlow(false);
    Comm1.setReplaceWhenParityError(false);
    Comm1.setIgnoreNullChar(false);
    Comm1.setRtsControl(TComm::TRtsControl::RtsDisable);
    Comm1.setXonLimit(500);
    Comm1.setXoffLimit(500);
    Comm1.setXonChar(17);
    Comm1.setXoffChar(19);
    Comm1.setReplacedChar(0);
    Comm1.setReadIntervalTimeout(100);
    Comm1.setReadTotalTimeoutMultiplier(0);
    Comm1.setReadTotalTimeoutConstant(0);
    Comm1.setWriteTotalTimeoutMultiplier(0);
    Comm1.setWriteTotalTimeoutConstant(0);

    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(1000);
    Timer2.setTimerType(Qt::PreciseTimer);
    Timer2.setInterval(500);
}

// Every event of the window that has a handler, in one place.
void TForm1::ConnectEvents() {
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(&Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(&Comm1, &TComm::OnReceiveData, this, &TForm1::Comm1ReceiveData);
    connect(&Comm1, &TComm::OnRequestHangup, this, &TForm1::Comm1RequestHangup);
    connect(CheckBox2, &QCheckBox::clicked, this, &TForm1::CheckBox2Click);
    connect(ComboBox4, &QComboBox::currentTextChanged, this, &TForm1::ComboBox4Change);
    connect(ComboBox5, &QComboBox::currentTextChanged, this, &TForm1::ComboBox5Change);
    connect(ComboBox6, &QComboBox::currentTextChanged, this, &TForm1::ComboBox6Change);
    connect(BitBtn7, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(iSwitchLed1, &TiSwitchLed::OnChange, this, &TForm1::iSwitchLed1Change);
    connect(iKnob1, &TiKnob::OnClick, this, &TForm1::iKnob1Click);
    connect(iAnalogOutput2, &TiAnalogOutput::OnMouseDown, this, &TForm1::iAnalogOutput2MouseDown);
    connect(iAnalogOutput2, &TiAnalogOutput::OnMouseUp, this, &TForm1::iAnalogOutput2MouseUp);
}

void TForm1::FormCreate() {
    Image14->hide();
    Image7->show();
    Image20->hide();
}

std::uint8_t TForm1::SlaveAddress() const {
    return static_cast<std::uint8_t>(TextToInt(Utf8(ComboBox1->currentText())) & 0xFF);
}

// Every frame goes out through its hexadecimal text; the pause gives the line time
// before the next handler runs. A refused write (port closed) is not an error.
void TForm1::Send(const RequestFrame& frame, unsigned long pauseMs) {
    const std::vector<std::uint8_t> out =
        HexTextToBytes(FrameToHexText(frame.data(), frame.size()));
    Comm1.QueueWrite(out.data(), static_cast<quint16>(out.size()));
    QThread::msleep(pauseMs);
}

void TForm1::SendReadRequest(std::uint8_t start, std::uint8_t count) {
    Send(BuildReadRequest(SlaveAddress(), start, count), 5);
}

void TForm1::SendWriteRequest() {
    Send(BuildWriteRequest(SlaveAddress(), state_.WriteRegister, state_.WriteValue), 40);
}

void TForm1::SetLinkLamp(LampChange change) {
    if (change == LampChange::Light) {
        Image14->show();
    } else if (change == LampChange::Darken) {
        Image14->hide();
        Image7->show();
    }
}

void TForm1::SetPortLamp(bool lit) {
    Image9->setVisible(!lit);
    Image20->setVisible(lit);
}

void TForm1::Timer1Timer() {
    const PollTickResult tick = PollTick(state_, CheckBox2->isChecked());
    SetLinkLamp(tick.lamp);
    if (tick.requestStart) {
        SendReadRequest(*tick.requestStart, kBlockRegisterCount);
    }
}

// Enabling the running timer must not restart it: the next tick decides.
void TForm1::CheckBox2Click() {
    if (!Timer1.isActive()) {
        Timer1.start();
    }
}

void TForm1::Comm1ReceiveData(TComm*, const quint8* Buffer, quint16 BufferLength) {
    const DeliveryResult result = DecodeDelivery(state_, image_, Buffer, BufferLength);
    SetLinkLamp(result.lamp);
    if (result.storedBlock == 2) {
        Memo12->setText(QString::fromStdString(CycleCountText(++completedCycles_)));
    }
}

// The device went away: show the port as closed, silently.
void TForm1::Comm1RequestHangup(TComm*) {
    BitBtn7->setText(kOpenCaption);
    SetPortLamp(false);
}

void TForm1::ComboBox4Change(const QString& text) {
    Comm1.setCommName(text);
}

void TForm1::ComboBox5Change(const QString& text) {
    Comm1.setBaudRate(static_cast<quint32>(TextToInt(Utf8(text))));
}

void TForm1::ComboBox6Change(const QString& text) {
    if (text == "8_N_2") {
        Comm1.setParity(TComm::TParity::None);
    } else if (text == "8_E_1") {
        Comm1.setParity(TComm::TParity::Even);
    } else if (text == "8_O_1") {
        Comm1.setParity(TComm::TParity::Odd);
    }
}

// A failed opening is shown, then the button and lamp go back to Closed, so the
// panel never shows a port as open that is not.
void TForm1::BitBtn7Click() {
    if (BitBtn7->text() != kOpenCaption) {
        BitBtn7->setText(kOpenCaption);
        Comm1.ClosePort();
        SetPortLamp(false);
        return;
    }
    BitBtn7->setText(kCloseCaption);
    SetPortLamp(true);
    try {
        Comm1.OpenPort();
    } catch (...) {
        QMessageBox::warning(this, windowTitle(), kOpenFailedText, QMessageBox::Ok);
        BitBtn7->setText(kOpenCaption);
        SetPortLamp(false);
    }
}

void TForm1::iSwitchLed1Change() {
    const CommandResult result =
        RunStopCommand(state_, Utf8(iSwitchLed1->caption()), CheckBox2->isChecked());
    if (result.codeText) {
        Memo13->setText(QString::fromStdString(*result.codeText));
    }
    if (result.send) {
        SendWriteRequest();
    }
}

void TForm1::iKnob1Click() {
    if (SetpointCommand(state_, iKnob1->position(), CheckBox2->isChecked()).send) {
        SendWriteRequest();
    }
}

void TForm1::iAnalogOutput2MouseDown() {
    iAnalogOutput2->setValue(iAnalogOutput2->value() - 0.1);
}

void TForm1::iAnalogOutput2MouseUp() {
    iAnalogOutput2->setValue(iAnalogOutput2->value() + 0.1);
}
