// The panel's serial component: line settings as properties, a queued writer and a reader
// that cuts reads by line silence, both on one I/O thread of its own.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <stdexcept>

class ECommsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IoThread;

class TComm : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString CommName READ commName WRITE setCommName)
    Q_PROPERTY(quint32 BaudRate READ baudRate WRITE setBaudRate)
    Q_PROPERTY(TByteSize ByteSize READ byteSize WRITE setByteSize)
    Q_PROPERTY(TParity Parity READ parity WRITE setParity)
    Q_PROPERTY(TStopBits StopBits READ stopBits WRITE setStopBits)
    Q_PROPERTY(bool ParityCheck READ parityCheck WRITE setParityCheck)
    Q_PROPERTY(bool Outx_CtsFlow READ outx_CtsFlow WRITE setOutx_CtsFlow)
    Q_PROPERTY(bool Outx_DsrFlow READ outx_DsrFlow WRITE setOutx_DsrFlow)
    Q_PROPERTY(TDtrControl DtrControl READ dtrControl WRITE setDtrControl)
    Q_PROPERTY(bool DsrSensitivity READ dsrSensitivity WRITE setDsrSensitivity)
    Q_PROPERTY(bool TxContinueOnXoff READ txContinueOnXoff WRITE setTxContinueOnXoff)
    Q_PROPERTY(bool Outx_XonXoffFlow READ outx_XonXoffFlow WRITE setOutx_XonXoffFlow)
    Q_PROPERTY(bool Inx_XonXoffFlow READ inx_XonXoffFlow WRITE setInx_XonXoffFlow)
    Q_PROPERTY(
        bool ReplaceWhenParityError READ replaceWhenParityError WRITE setReplaceWhenParityError)
    Q_PROPERTY(bool IgnoreNullChar READ ignoreNullChar WRITE setIgnoreNullChar)
    Q_PROPERTY(TRtsControl RtsControl READ rtsControl WRITE setRtsControl)
    Q_PROPERTY(quint16 XonLimit READ xonLimit WRITE setXonLimit)
    Q_PROPERTY(quint16 XoffLimit READ xoffLimit WRITE setXoffLimit)
    Q_PROPERTY(char XonChar READ xonChar WRITE setXonChar)
    Q_PROPERTY(char XoffChar READ xoffChar WRITE setXoffChar)
    Q_PROPERTY(char ReplacedChar READ replacedChar WRITE setReplacedChar)
    Q_PROPERTY(quint32 ReadIntervalTimeout READ readIntervalTimeout WRITE setReadIntervalTimeout)
    Q_PROPERTY(quint32 ReadTotalTimeoutMultiplier READ readTotalTimeoutMultiplier WRITE
                   setReadTotalTimeoutMultiplier)
    Q_PROPERTY(quint32 ReadTotalTimeoutConstant READ readTotalTimeoutConstant WRITE
                   setReadTotalTimeoutConstant)
    Q_PROPERTY(quint32 WriteTotalTimeoutMultiplier READ writeTotalTimeoutMultiplier WRITE
                   setWriteTotalTimeoutMultiplier)
    Q_PROPERTY(quint32 WriteTotalTimeoutConstant READ writeTotalTimeoutConstant WRITE
                   setWriteTotalTimeoutConstant)

public:
    enum class TByteSize { _5, _6, _7, _8 };
    Q_ENUM(TByteSize)
    enum class TParity { None, Odd, Even, Mark, Space };
    Q_ENUM(TParity)
    enum class TStopBits { _1, _1_5, _2 };
    Q_ENUM(TStopBits)
    enum class TDtrControl { DtrEnable, DtrDisable, DtrHandshake };
    Q_ENUM(TDtrControl)
    enum class TRtsControl { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };
    Q_ENUM(TRtsControl)

    // Bits of OnReceiveError's Errors, with the values the Windows comm API gives them.
    enum LineError {
        RxOver = 0x0001,
        Overrun = 0x0002,
        RxParity = 0x0004,
        Frame = 0x0008,
        Break = 0x0010
    };

    // Everything the line and the reader are set up from. The I/O thread works on a copy.
    struct LineSettings {
        quint32 baudRate = 19200;
        TByteSize byteSize = TByteSize::_8;
        TParity parity = TParity::None;
        TStopBits stopBits = TStopBits::_1;
        bool parityCheck = false;
        bool outxCtsFlow = false;
        bool outxDsrFlow = false;
        TDtrControl dtrControl = TDtrControl::DtrEnable;
        bool dsrSensitivity = false;
        bool txContinueOnXoff = true;
        bool outxXonXoffFlow = false;
        bool inxXonXoffFlow = false;
        bool replaceWhenParityError = false;
        bool ignoreNullChar = false;
        TRtsControl rtsControl = TRtsControl::RtsDisable;
        quint16 xonLimit = 500;
        quint16 xoffLimit = 500;
        char xonChar = 17;
        char xoffChar = 19;
        char replacedChar = 0;
    };

    // Only ReadIntervalTimeout drives the reader; a zero total time-out means none, and the
    // reader and writer here run without total time-outs whatever the other four say.
    struct Timeouts {
        quint32 readInterval = 100;
        quint32 readTotalMultiplier = 0;
        quint32 readTotalConstant = 0;
        quint32 writeTotalMultiplier = 0;
        quint32 writeTotalConstant = 0;
    };

    explicit TComm(QObject* parent = nullptr);
    ~TComm() override;

    void OpenPort();
    void ClosePort();
    bool QueueWrite(const quint8* bytes, quint16 length);
    bool isOpen() const { return io_ != nullptr; }

    QString commName() const { return commName_; }
    void setCommName(const QString& name) { commName_ = name; }
    quint32 baudRate() const { return line_.baudRate; }
    void setBaudRate(quint32 rate);

    // The remaining line properties are stored only; they reach the line with the next
    // opening or the next change of BaudRate to a different value.
    TByteSize byteSize() const { return line_.byteSize; }
    void setByteSize(TByteSize v) { line_.byteSize = v; }
    TParity parity() const { return line_.parity; }
    void setParity(TParity v) { line_.parity = v; }
    TStopBits stopBits() const { return line_.stopBits; }
    void setStopBits(TStopBits v) { line_.stopBits = v; }
    bool parityCheck() const { return line_.parityCheck; }
    void setParityCheck(bool v) { line_.parityCheck = v; }
    bool outx_CtsFlow() const { return line_.outxCtsFlow; }
    void setOutx_CtsFlow(bool v) { line_.outxCtsFlow = v; }
    bool outx_DsrFlow() const { return line_.outxDsrFlow; }
    void setOutx_DsrFlow(bool v) { line_.outxDsrFlow = v; }
    TDtrControl dtrControl() const { return line_.dtrControl; }
    void setDtrControl(TDtrControl v) { line_.dtrControl = v; }
    bool dsrSensitivity() const { return line_.dsrSensitivity; }
    void setDsrSensitivity(bool v) { line_.dsrSensitivity = v; }
    bool txContinueOnXoff() const { return line_.txContinueOnXoff; }
    void setTxContinueOnXoff(bool v) { line_.txContinueOnXoff = v; }
    bool outx_XonXoffFlow() const { return line_.outxXonXoffFlow; }
    void setOutx_XonXoffFlow(bool v) { line_.outxXonXoffFlow = v; }
    bool inx_XonXoffFlow() const { return line_.inxXonXoffFlow; }
    void setInx_XonXoffFlow(bool v) { line_.inxXonXoffFlow = v; }
    bool replaceWhenParityError() const { return line_.replaceWhenParityError; }
    void setReplaceWhenParityError(bool v) { line_.replaceWhenParityError = v; }
    bool ignoreNullChar() const { return line_.ignoreNullChar; }
    void setIgnoreNullChar(bool v) { line_.ignoreNullChar = v; }
    TRtsControl rtsControl() const { return line_.rtsControl; }
    void setRtsControl(TRtsControl v) { line_.rtsControl = v; }
    quint16 xonLimit() const { return line_.xonLimit; }
    void setXonLimit(quint16 v) { line_.xonLimit = v; }
    quint16 xoffLimit() const { return line_.xoffLimit; }
    void setXoffLimit(quint16 v) { line_.xoffLimit = v; }
    char xonChar() const { return line_.xonChar; }
    void setXonChar(char v) { line_.xonChar = v; }
    char xoffChar() const { return line_.xoffChar; }
    void setXoffChar(char v) { line_.xoffChar = v; }
    char replacedChar() const { return line_.replacedChar; }
    void setReplacedChar(char v) { line_.replacedChar = v; }

    // A time-out changed on an open port takes effect at once.
    quint32 readIntervalTimeout() const { return timeouts_.readInterval; }
    void setReadIntervalTimeout(quint32 ms);
    quint32 readTotalTimeoutMultiplier() const { return timeouts_.readTotalMultiplier; }
    void setReadTotalTimeoutMultiplier(quint32 v) { timeouts_.readTotalMultiplier = v; }
    quint32 readTotalTimeoutConstant() const { return timeouts_.readTotalConstant; }
    void setReadTotalTimeoutConstant(quint32 v) { timeouts_.readTotalConstant = v; }
    quint32 writeTotalTimeoutMultiplier() const { return timeouts_.writeTotalMultiplier; }
    void setWriteTotalTimeoutMultiplier(quint32 v) { timeouts_.writeTotalMultiplier = v; }
    quint32 writeTotalTimeoutConstant() const { return timeouts_.writeTotalConstant; }
    void setWriteTotalTimeoutConstant(quint32 v) { timeouts_.writeTotalConstant = v; }

signals:
    void OnReceiveData(TComm* Sender, const quint8* Buffer, quint16 BufferLength);
    void OnRequestHangup(TComm* Sender);
    void OnReceiveError(TComm* Sender, int Errors);
    void OnSendDataEmpty(TComm* Sender);

private:
    void connectIo(IoThread* io);
    void stopIo();
    void handleLoss(quint64 session);

    QString commName_ = QStringLiteral("COM4");
    LineSettings line_;
    Timeouts timeouts_;
    std::unique_ptr<IoThread> io_;
    // Bumped at every close, so that deliveries still queued from an earlier opening are
    // dropped instead of reaching the handler after ClosePort.
    quint64 session_ = 0;
};
