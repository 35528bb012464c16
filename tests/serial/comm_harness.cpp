#include "comm_harness.h"

#include <QCoreApplication>
#include <QTest>

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        QTest::qWait(5);
    }
    return done();
}

void Pump(std::chrono::milliseconds time) {
    WaitUntil([] { return false; }, time);
}

Bytes Frame(std::size_t length, std::uint8_t first) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(first + i * 7);
    }
    return bytes;
}

QString NameOf(const PtyPair& pty) {
    return QString::fromStdString(pty.slavePath());
}

CommEvents::CommEvents(TComm& comm) {
    QObject::connect(&comm, &TComm::OnReceiveData, &context_,
                     [this](TComm*, const quint8* buffer, quint16 length) {
                         deliveries_.emplace_back(buffer, buffer + length);
                     });
    QObject::connect(&comm, &TComm::OnRequestHangup, &context_, [this] { ++hangups_; });
    QObject::connect(&comm, &TComm::OnSendDataEmpty, &context_, [this] { ++sendEmpties_; });
}

Bytes CommEvents::received() const {
    Bytes all;
    for (const Bytes& d : deliveries_) {
        all.insert(all.end(), d.begin(), d.end());
    }
    return all;
}
