// Whatever the operator types into the combo boxes, the panel must not crash, must keep
// showing the port's true state, and must put nothing on the line but the frames its
// ticks and commands send.
#include <termios.h>

#include "block_response.h"
#include "frames.h"
#include "pty_pair.h"
#include "window_fixture.h"

namespace {

using Bytes = PtyPair::Bytes;
using std::chrono::milliseconds;

const QString kOpen = QString::fromUtf8("打开串口");
const QString kClose = QString::fromUtf8("关闭串口");
const QString kOpenFailed = QString::fromUtf8("打开串口错误");

struct BadText {
    const char* what;
    QString text;
};

// None of them is a number, a known format or the name of a device.
std::vector<BadText> BadTexts() {
    QString control;
    for (const char16_t c : {u'\0', u'\x01', u'\t', u'\n', u'\r', u'\x1b', u'\x7f'}) {
        control += QChar(c);
    }
    return {
        {"empty", QString()},
        {"300 characters", QString(300, QLatin1Char('x'))},
        {"control characters", control},
        {"non-Latin", QString::fromUtf8("端口 ポート порт ７")},
    };
}

} // namespace

class InputTest : public WindowTest {
protected:
    QList<QComboBox*> Boxes() const {
        return {form->ComboBox1, form->ComboBox4, form->ComboBox5, form->ComboBox6};
    }

    void OpenOnTheLine() {
        form->ComboBox4->setEditText(QString::fromStdString(line.slavePath()));
        form->BitBtn7->click();
        ASSERT_TRUE(form->Comm1.isOpen());
    }

    // The button, both lamps' pictures and the component agree on the port's state.
    void ExpectPortShown(bool open, const std::string& what) {
        EXPECT_EQ(form->Comm1.isOpen(), open) << what;
        EXPECT_EQ(form->BitBtn7->text(), open ? kClose : kOpen) << what;
        EXPECT_EQ(form->Image20->isVisible(), open) << what;
        EXPECT_EQ(form->Image9->isVisible(), !open) << what;
    }

    Bytes LineTraffic() { return line.read(1, milliseconds(300)); }

    PtyPair line;
};

TEST_F(InputTest, BadTextIsStoredAsTypedWithThePortClosed) {
    const TComm::TParity parity = form->Comm1.parity();
    for (const BadText& bad : BadTexts()) {
        for (QComboBox* box : Boxes()) {
            box->setEditText(bad.text);
        }
        EXPECT_EQ(form->Comm1.commName(), bad.text) << bad.what;
        EXPECT_EQ(form->Comm1.baudRate(), 0u) << bad.what;
        EXPECT_EQ(form->Comm1.parity(), parity)
            << bad.what << ": an unknown format changes nothing";
        ExpectPortShown(false, bad.what);
    }
}

TEST_F(InputTest, OpeningABadPortNameFailsOnceAndStaysClosed) {
    for (const BadText& bad : BadTexts()) {
        form->ComboBox4->setEditText(bad.text);
        MessageBoxWatcher watcher;
        form->BitBtn7->click();
        EXPECT_EQ(watcher.texts, QStringList{kOpenFailed}) << bad.what;
        ExpectPortShown(false, bad.what);
    }
}

// A refused line setting never fails an opening; the line works once the box is mended.
TEST_F(InputTest, BadBaudRateAndFormatDoNotStopTheOpening) {
    for (const BadText& bad : BadTexts()) {
        form->ComboBox5->setEditText(bad.text);
        form->ComboBox6->setEditText(bad.text);
        OpenOnTheLine();
        ExpectPortShown(true, bad.what);
        form->BitBtn7->click();
        ExpectPortShown(false, bad.what);
    }
    EXPECT_TRUE(LineTraffic().empty());
}

TEST_F(InputTest, BadTextWithThePortOpenSendsNothingAndKeepsTheLine) {
    OpenOnTheLine();
    for (const BadText& bad : BadTexts()) {
        for (QComboBox* box : Boxes()) {
            box->setEditText(bad.text);
            QApplication::processEvents();
        }
        EXPECT_TRUE(LineTraffic().empty()) << bad.what;
        ExpectPortShown(true, bad.what);
    }
    // Typed key by key, every prefix is a new rate applied to the open line.
    form->ComboBox5->clearEditText();
    QTest::keyClicks(form->ComboBox5->lineEdit(), QString(300, QLatin1Char('9')));
    EXPECT_TRUE(LineTraffic().empty());
    ExpectPortShown(true, "300 typed digits");

    form->ComboBox1->setEditText("1");
    form->ComboBox5->setEditText("19200");
    const termios settings = line.lineSettings();
    EXPECT_EQ(cfgetospeed(&settings), speed_t{B19200});
    form->CheckBox2->click();
    form->Timer1Timer();
    const RequestFrame request = BuildReadRequest(1, 0, 10);
    EXPECT_EQ(line.read(9, milliseconds(1000)), Bytes(request.begin(), request.end()));
    line.write(BlockResponse({4321, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return image[0] == 4321; }, 1000));
}

// The address box is read at every request: each text gives the low byte of the number
// it starts with, and exactly one well-formed request goes out per tick.
TEST_F(InputTest, BadAddressTextsGiveTheAddressTheyRead) {
    OpenOnTheLine();
    form->CheckBox2->click();
    std::vector<std::pair<BadText, std::uint8_t>> cases;
    for (const BadText& bad : BadTexts()) {
        cases.push_back({bad, 0});
    }
    cases.push_back({{"digit then blanks", "7" + QString(299, QLatin1Char(' '))}, 7});
    cases.push_back({{"digits then a control", QString("12") + QChar(u'\x01')}, 12});
    cases.push_back({{"full-width digit", QString::fromUtf8("７")}, 0});
    for (const auto& [bad, address] : cases) {
        form->ComboBox1->setEditText(bad.text);
        form->Timer1Timer();
        const RequestFrame request = BuildReadRequest(address, 0, 10);
        EXPECT_EQ(line.read(9, milliseconds(500)), Bytes(request.begin(), request.end()))
            << bad.what;
    }
}
