#include "bench_rig.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "tform1.h"

Simulator::Simulator(int baud)
    : process({M7_SIM_PATH, "--baud", std::to_string(baud)}), path(process.readLine(5000)) {
    if (path.empty()) {
        throw std::runtime_error("m7-sim printed no device path");
    }
}

int IntOption(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            return std::max(1, std::atoi(argv[i + 1]));
        }
    }
    return fallback;
}

void UseOffscreenUnlessSet() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

bool OperateToPolling(TForm1& form, const std::string& path) {
    form.ComboBox4->clearEditText();
    QTest::keyClicks(form.ComboBox4->lineEdit(), QString::fromStdString(path));
    QTest::mouseClick(form.BitBtn7, Qt::LeftButton);
    QTest::mouseClick(form.CheckBox2, Qt::LeftButton);
    return form.Comm1.isOpen() && form.CheckBox2->isChecked();
}

void RunEventLoopFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

bool RunEventLoopUntil(const std::function<bool()>& done, int ms) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    check.start(20);
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}
