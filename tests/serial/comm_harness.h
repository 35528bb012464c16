// Driving a TComm from tests: the event loop, what the component raises, and a pty line.
#pragma once

#include "pty_pair.h"
#include "tcomm.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using Bytes = PtyPair::Bytes;
using namespace std::chrono_literals;

// Runs the event loop until done() holds or the limit passes; the result of done().
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 3s);
// Runs the event loop for a while.
void Pump(std::chrono::milliseconds time);

Bytes Frame(std::size_t length, std::uint8_t first = 1);
QString NameOf(const PtyPair& pty);

// Everything one TComm raises, as copies.
class CommEvents {
public:
    explicit CommEvents(TComm& comm);
    const std::vector<Bytes>& deliveries() const { return deliveries_; }
    Bytes received() const;
    int hangups() const { return hangups_; }
    int sendEmpties() const { return sendEmpties_; }

private:
    QObject context_;
    std::vector<Bytes> deliveries_;
    int hangups_ = 0;
    int sendEmpties_ = 0;
};

// A TComm named after a fresh pty's slave; the test opens it.
class CommOnPty : public ::testing::Test {
protected:
    CommOnPty() { comm.setCommName(NameOf(pty)); }
    // Waits for the first delivery, then long enough past the read interval that any
    // further one would have arrived too.
    void settle() {
        WaitUntil([&] { return !events.deliveries().empty(); });
        Pump(400ms);
    }

    PtyPair pty;
    TComm comm;
    CommEvents events{comm};
};
