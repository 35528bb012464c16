#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "pty_pair.h"
#include "window_fixture.h"

namespace {

const QString kOpen = QString::fromUtf8("打开串口");
const QString kClose = QString::fromUtf8("关闭串口");
const QString kOpenFailed = QString::fromUtf8("打开串口错误");

} // namespace

class PortTest : public WindowTest {
protected:
    void TypePort(const QString& name) {
        form->ComboBox4->clearEditText();
        QTest::keyClicks(form->ComboBox4->lineEdit(), name);
    }

    bool PortLampLit() const { return form->Image20->isVisible() && !form->Image9->isVisible(); }

    void ExpectClosed(const char* what) {
        EXPECT_EQ(form->BitBtn7->text(), kOpen) << what;
        EXPECT_FALSE(PortLampLit()) << what;
        EXPECT_FALSE(form->Comm1.isOpen()) << what;
    }

    PtyPair line;
    QTemporaryDir dir;
};

TEST_F(PortTest, FailedOpeningsAreShownOnceAndLeaveThePortClosed) {
    QFile file(dir.filePath("plain-file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString held = dir.filePath("second-name");
    ASSERT_TRUE(QFile::link(QString::fromStdString(line.slavePath()), held));
    TComm holder;
    holder.setCommName(QString::fromStdString(line.slavePath()));
    holder.OpenPort();

    const struct {
        const char* what;
        QString name;
    } cases[] = {
        {"missing device", "/dev/m7-no-such-device"},
        {"regular file", file.fileName()},
        {"directory", dir.path()},
        {"held under another name", held},
        {"held under its own name", QString::fromStdString(line.slavePath())},
    };
    for (const auto& c : cases) {
        TypePort(c.name);
        MessageBoxWatcher watcher;
        form->BitBtn7->click();
        EXPECT_EQ(watcher.texts, QStringList{kOpenFailed}) << c.what;
        EXPECT_EQ(watcher.buttons, 1) << c.what;
        ExpectClosed(c.what);
    }
    holder.ClosePort();
}

TEST_F(PortTest, OpenAndCloseWithTheButton) {
    TypePort(QString::fromStdString(line.slavePath()));
    EXPECT_EQ(form->Comm1.commName(), QString::fromStdString(line.slavePath()));
    form->BitBtn7->click();
    EXPECT_EQ(form->BitBtn7->text(), kClose);
    EXPECT_TRUE(PortLampLit());
    EXPECT_TRUE(form->Comm1.isOpen());

    TypePort("COM9");
    EXPECT_TRUE(form->Comm1.isOpen()) << "a new name waits for the next opening";
    form->BitBtn7->click();
    ExpectClosed("after closing");
}

TEST_F(PortTest, DeviceLossReturnsToClosedSilently) {
    TypePort(QString::fromStdString(line.slavePath()));
    form->BitBtn7->click();
    ASSERT_TRUE(form->Comm1.isOpen());
    MessageBoxWatcher watcher;
    line.closeMaster();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->BitBtn7->text() == kOpen; }, 2000));
    ExpectClosed("after the device went away");
    EXPECT_TRUE(watcher.texts.isEmpty());

    PtyPair fresh;
    TypePort(QString::fromStdString(fresh.slavePath()));
    form->BitBtn7->click();
    EXPECT_TRUE(form->Comm1.isOpen()) << "a later click opens afresh";
}

TEST_F(PortTest, FormatAndBaudRateBoxes) {
    const struct {
        QString text;
        TComm::TParity parity;
    } formats[] = {
        {"8_E_1", TComm::TParity::Even}, {"8_e_1", TComm::TParity::Even},
        {"8_O_1", TComm::TParity::Odd},  {"8_O_1 ", TComm::TParity::Odd},
        {"8_N_2", TComm::TParity::None}, {"", TComm::TParity::None},
    };
    for (const auto& f : formats) {
        form->ComboBox6->setEditText(f.text);
        EXPECT_EQ(form->Comm1.parity(), f.parity) << f.text.toStdString();
        EXPECT_EQ(form->Comm1.byteSize(), TComm::TByteSize::_8);
        EXPECT_EQ(form->Comm1.stopBits(), TComm::TStopBits::_1);
    }

    form->ComboBox5->clearEditText();
    EXPECT_EQ(form->Comm1.baudRate(), 0u);
    QTest::keyClicks(form->ComboBox5->lineEdit(), "3840");
    EXPECT_EQ(form->Comm1.baudRate(), 3840u);
    QTest::keyClick(form->ComboBox5->lineEdit(), Qt::Key_0);
    EXPECT_EQ(form->Comm1.baudRate(), 38400u);
    form->ComboBox5->setCurrentIndex(0);
    EXPECT_EQ(form->Comm1.baudRate(), 4800u);
}

TEST_F(PortTest, PollRequestsReachTheLineOnlyWhileOpen) {
    form->CheckBox2->click();
    form->Timer1Timer();
    TypePort(QString::fromStdString(line.slavePath()));
    form->BitBtn7->click();
    EXPECT_TRUE(line.read(8, std::chrono::milliseconds(200)).empty())
        << "nothing from the closed port";

    form->ComboBox1->setEditText("0x1F");
    form->Timer1Timer();
    const PtyPair::Bytes request = line.read(8, std::chrono::milliseconds(1000));
    const RequestFrame expected = BuildReadRequest(0x1F, 0, 10);
    EXPECT_EQ(request, PtyPair::Bytes(expected.begin(), expected.end()));
}
