#pragma once

// A fresh window on fresh records for every test, with its timers held so the test
// drives the ticks itself.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "protocol_state.h"
#include "register_image.h"
#include "tform1.h"

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(state, image);
        form->show();
        form->Timer1.stop();
        form->Timer2.stop();
    }

    ProtocolState state;
    RegisterImage image;
    std::unique_ptr<TForm1> form;
};

// Watches for the next modal message box, records its text and presses OK.
class MessageBoxWatcher {
public:
    MessageBoxWatcher() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr) {
                texts.push_back(box->text());
                buttons = static_cast<int>(box->buttons().size());
                box->button(QMessageBox::Ok)->click();
            }
        });
        timer_.start();
    }

    QStringList texts;
    int buttons = 0;

private:
    QTimer timer_;
};
