#include <QSet>
#include <map>

#include "window_fixture.h"

namespace {

QColor CentrePixel(QWidget* widget) {
    const QImage picture = widget->grab().toImage();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

// Counts paint events per widget of a window.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window) {
        for (QWidget* child : window->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    QSet<QString> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted.insert(watched->objectName());
        }
        return false;
    }
};

} // namespace

class RefreshTest : public WindowTest {
protected:
    void Refresh(const std::map<int, std::uint16_t>& registers) {
        for (const auto& [reg, value] : registers) {
            image.Registers[reg] = value;
        }
        form->Timer2Timer();
    }
};

TEST_F(RefreshTest, ValuesOnTheWidgets) {
    const struct {
        const char* what;
        std::map<int, std::uint16_t> registers;
        std::function<QString()> shown;
        QString expected;
    } cases[] = {
        {"input quantity",
         {{10, 1234}},
         [&] { return form->iAnalogOutput3->displayText(); },
         "123.4"},
        {"setpoint", {{0, 5000}}, [&] { return form->iAnalogOutput2->displayText(); }, "50.00"},
        {"temperature", {{12, 150}}, [&] { return form->iAnalogOutput1->displayText(); }, "150'C"},
        {"output quantity", {{11, 7}}, [&] { return form->iAnalogOutput4->displayText(); }, "0.7"},
        {"current at top of range",
         {{20, 65535}},
         [&] { return form->iAnalogDisplay1->text(); },
         "6553.5"},
        {"current S", {{21, 123}}, [&] { return form->iAnalogDisplay2->text(); }, "12.3"},
        {"current T", {{22, 5}}, [&] { return form->iAnalogDisplay3->text(); }, "0.5"},
        {"voltage",
         {{15, 2200}, {23, 2300}},
         [&] { return form->iAnalogDisplay4->text(); },
         "230.0"},
        {"run bit clear", {{3, 2}}, [&] { return form->iSwitchLed1->caption(); }, "RUN"},
        {"run bit set", {{3, 3}}, [&] { return form->iSwitchLed1->caption(); }, "STOP"},
    };
    for (const auto& c : cases) {
        Refresh(c.registers);
        EXPECT_EQ(c.shown(), c.expected) << c.what;
    }
}

TEST_F(RefreshTest, PositionsKeptInsideRanges) {
    Refresh({{10, 1234}, {12, 150}, {15, 2200}, {23, 2300}});
    EXPECT_EQ(form->iLedBar1->position(), 100.0);
    EXPECT_EQ(form->iLedBar1->litSegments(), form->iLedBar1->segmentCount());
    EXPECT_EQ(form->iThermometer1->position(), 100.0);
    EXPECT_DOUBLE_EQ(form->iLinearGauge1->positionMax(), 220.0);
    EXPECT_DOUBLE_EQ(form->iLinearGauge1->position(), 220.0);

    Refresh({{15, 0}});
    EXPECT_EQ(form->iLinearGauge1->positionMax(), 0.0);
    EXPECT_EQ(form->iLinearGauge1->position(), 0.0);
    EXPECT_FALSE(form->iLinearGauge1->grab().isNull());
}

TEST_F(RefreshTest, FirstRefreshOfAnEmptyImage) {
    form->Timer2Timer();
    EXPECT_EQ(form->iSwitchLed1->caption(), "RUN");
    EXPECT_EQ(form->iSwitchLed1->activeColor(), QColor(255, 0, 0));
    EXPECT_EQ(form->iThermometer1->position(), 0.0);
    EXPECT_EQ(form->iLinearGauge1->positionMax(), 0.0);
    EXPECT_EQ(CentrePixel(form->iLedRound5), QColor(0, 85, 0));
}

TEST_F(RefreshTest, AlarmColoursAsRendered) {
    const QColor darkRed(85, 0, 0);
    const QColor darkGreen(0, 85, 0);
    TiLedRound* const leds[] = {form->iLedRound1, form->iLedRound2, form->iLedRound3,
                                form->iLedRound4, form->iLedRound5, form->iLedRound6,
                                form->iLedRound7, form->iLedRound8, form->iLedRound9};
    Refresh({{13, 257}});
    for (int bit = 0; bit < 9; ++bit) {
        EXPECT_EQ(CentrePixel(leds[bit]), bit == 0 || bit == 8 ? darkRed : darkGreen) << bit;
    }
    Refresh({{13, 65024}});
    for (int bit = 0; bit < 9; ++bit) {
        EXPECT_EQ(CentrePixel(leds[bit]), darkGreen) << bit;
    }
}

TEST_F(RefreshTest, SetpointFieldPressAndRelease) {
    const struct {
        std::uint16_t reg0;
        Qt::MouseButton button;
        QString held;
        QString released;
    } cases[] = {
        {1234, Qt::LeftButton, "12.24", "12.34"},
        {1234, Qt::RightButton, "12.24", "12.34"},
        {0, Qt::LeftButton, "-0.10", "0.00"},
    };
    for (const auto& c : cases) {
        Refresh({{0, c.reg0}});
        QTest::mousePress(form->iAnalogOutput2, c.button);
        EXPECT_EQ(form->iAnalogOutput2->displayText(), c.held) << c.reg0;
        QTest::mouseRelease(form->iAnalogOutput2, c.button);
        EXPECT_TRUE(form->iAnalogOutput2->displayText() == c.released ||
                    form->iAnalogOutput2->displayText() == "-" + c.released)
            << form->iAnalogOutput2->displayText().toStdString();
    }
    QTest::mousePress(form->iAnalogOutput2, Qt::LeftButton);
    Refresh({{0, 1234}});
    EXPECT_EQ(form->iAnalogOutput2->displayText(), "12.34") << "a refresh during the press";
    QTest::mouseRelease(form->iAnalogOutput2, Qt::LeftButton);
}

TEST_F(RefreshTest, TypedTextIsReplacedEvenWhenTheRegisterIsUnchanged) {
    Refresh({{0, 5000}});
    form->iAnalogOutput2->setText("77");
    form->Timer2Timer();
    EXPECT_EQ(form->iAnalogOutput2->displayText(), "50.00");
}

TEST_F(RefreshTest, UnchangedRefreshRepaintsNothing) {
    Refresh({{10, 500}, {13, 1}, {23, 2300}, {15, 3800}});
    QApplication::processEvents();
    PaintCounter counter(form.get());
    form->Timer2Timer();
    QApplication::processEvents();
    EXPECT_TRUE(counter.painted.isEmpty()) << counter.painted.values().join(',').toStdString();

    Refresh({{21, 77}});
    QApplication::processEvents();
    EXPECT_TRUE(counter.painted.contains("iAnalogDisplay2"));
    EXPECT_FALSE(counter.painted.contains("iAnalogDisplay1"));
    EXPECT_FALSE(counter.painted.contains("iKnob1"));
    EXPECT_FALSE(counter.painted.contains("iLedRound1"));
}
