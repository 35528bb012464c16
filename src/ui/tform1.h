#pragma once

#include <QMainWindow>
#include <QTimer>
#include <cstdint>

#include "frames.h"
#include "protocol_state.h"
#include "register_image.h"
#include "tcomm.h"
#include "ui_form1.h"

// The operator panel. Its members are the design's components (from form1.ui, plus
// Comm1 and the two timers); its handlers are thin: read the controls, call the
// device layer, apply the result to the controls and to Comm1.
class TForm1 : public QMainWindow, public Ui::Form1 {
    Q_OBJECT
public:
    TForm1(ProtocolState& state, RegisterImage& image, QWidget* parent = nullptr);

    TComm Comm1;
    QTimer Timer1;
    QTimer Timer2;

    void SendReadRequest(std::uint8_t start, std::uint8_t count);
    void SendWriteRequest();

    void FormCreate();
    void Timer1Timer();
    void Timer2Timer();
    void CheckBox2Click();
    void Comm1ReceiveData(TComm* Sender, const quint8* Buffer, quint16 BufferLength);
    void Comm1RequestHangup(TComm* Sender);
    void ComboBox4Change(const QString& text);
    void ComboBox5Change(const QString& text);
    void ComboBox6Change(const QString& text);
    void BitBtn7Click();
    void iSwitchLed1Change();
    void iKnob1Click();
    void iAnalogOutput2MouseDown();
    void iAnalogOutput2MouseUp();

private:
    void ApplyDesignSettings();
    void ConnectEvents();
    void SetLinkLamp(LampChange change);
    void SetPortLamp(bool lit);
    std::uint8_t SlaveAddress() const;
    void Send(const RequestFrame& frame, unsigned long pauseMs);

    ProtocolState& state_;
    RegisterImage& image_;
    std::int32_t completedCycles_ = 0; // good block-2 answers since start, shown on Memo12
};
