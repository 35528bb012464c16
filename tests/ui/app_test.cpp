// The application object's own program: it needs a PanelApplication, not the plain
// QApplication the other window tests run under.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

#include "panel_application.h"

namespace {

class ThrowingObject : public QObject {
protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            throw std::runtime_error("register block out of range");
        }
        return QObject::event(event);
    }
};

} // namespace

TEST(PanelApplication, EscapedExceptionIsShownAndTheLoopGoesOn) {
    QStringList shown;
    QTimer dismisser;
    QObject::connect(&dismisser, &QTimer::timeout, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    dismisser.start(20);

    ThrowingObject thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    int ticks = 0;
    QTimer later;
    QObject::connect(&later, &QTimer::timeout, [&ticks] { ++ticks; });
    later.start(10);

    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.size() == 2 && ticks > 3; }, 5000));
    EXPECT_EQ(shown.value(0), "register block out of range");
}

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    PanelApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
