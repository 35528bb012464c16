#include "comm_harness.h"

#include <QFile>
#include <QTemporaryDir>
#include <sys/file.h>
#include <sys/wait.h>

namespace {

// A second process that holds the device the way another program would: open and flock.
class ForeignHolder {
public:
    explicit ForeignHolder(const std::string& path) {
        int ready[2];
        if (pipe(ready) != 0 || pipe(release_) != 0) {
            throw std::runtime_error("pipe failed");
        }
        child_ = fork();
        if (child_ == 0) {
            ::close(ready[0]);
            ::close(release_[1]);
            holdAndWait(path, ready[1]);
        }
        ::close(ready[1]);
        ::close(release_[0]);
        char answer = 0;
        held_ = ::read(ready[0], &answer, 1) == 1 && answer == 'y';
        ::close(ready[0]);
    }
    ~ForeignHolder() {
        ::close(release_[1]);
        waitpid(child_, nullptr, 0);
    }
    bool held() const { return held_; }

private:
    // In the child: only async-signal-safe calls.
    [[noreturn]] void holdAndWait(const std::string& path, int ready) {
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char answer = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        (void)!::write(ready, &answer, 1);
        char none = 0;
        (void)!::read(release_[0], &none, 1);
        _exit(0);
    }

    pid_t child_ = -1;
    int release_[2] = {-1, -1};
    bool held_ = false;
};

void ExpectOpenRefused(TComm& comm, const QString& name) {
    comm.setCommName(name);
    EXPECT_THROW(comm.OpenPort(), ECommsError) << name.toStdString();
    EXPECT_FALSE(comm.isOpen()) << name.toStdString();
}

} // namespace

TEST(TCommOpen, RefusesWhatIsNoSerialLineAndStaysClosed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("file");
    QFile(file).open(QIODevice::WriteOnly);
    const QString dangling = dir.filePath("dangling");
    QFile::link(dir.filePath("gone"), dangling);

    TComm comm;
    for (const QString& name : {QStringLiteral("/dev/m7-no-such-device"), file, dir.path(),
                                dangling, QStringLiteral("/dev/null"), QStringLiteral("")}) {
        ExpectOpenRefused(comm, name);
    }
}

TEST_F(CommOnPty, RefusesADeviceHeldByThisProcessUnderAnotherName) {
    comm.OpenPort();
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyLink");
    ASSERT_TRUE(QFile::link(NameOf(pty), link));

    TComm second;
    ExpectOpenRefused(second, link);
    ExpectOpenRefused(second, NameOf(pty));

    pty.write(Frame(8));
    settle();
    EXPECT_EQ(events.deliveries(), std::vector<Bytes>{Frame(8)});
}

TEST_F(CommOnPty, RefusesADeviceHeldByAnotherProcess) {
    {
        const ForeignHolder holder(pty.slavePath());
        ASSERT_TRUE(holder.held());
        ExpectOpenRefused(comm, NameOf(pty));
    }
    comm.OpenPort();
    EXPECT_TRUE(comm.isOpen());
}

TEST_F(CommOnPty, OpeningAnOpenPortRaisesAndKeepsTheLine) {
    comm.OpenPort();
    PtyPair other;
    comm.setCommName(NameOf(other));
    EXPECT_THROW(comm.OpenPort(), ECommsError);
    EXPECT_TRUE(comm.isOpen());

    other.write(Frame(4, 0x40));
    pty.write(Frame(8));
    settle();
    EXPECT_EQ(events.deliveries(), std::vector<Bytes>{Frame(8)});
}

TEST_F(CommOnPty, SettingsTheLineRefusesDoNotFailTheOpening) {
    // A pty keeps neither parity nor DTR/RTS; rate 0 is no rate at all.
    comm.setBaudRate(0);
    comm.setParity(TComm::TParity::Even);
    comm.setByteSize(TComm::TByteSize::_7);
    comm.setRtsControl(TComm::TRtsControl::RtsEnable);
    EXPECT_NO_THROW(comm.OpenPort());
    EXPECT_TRUE(comm.isOpen());
    comm.setBaudRate(3840);

    pty.write(Frame(8));
    settle();
    EXPECT_EQ(events.deliveries(), std::vector<Bytes>{Frame(8)});
}

TEST_F(CommOnPty, InputWaitingBeforeTheOpeningIsDiscarded) {
    pty.write(Frame(6, 0x80));
    Pump(50ms);
    comm.OpenPort();
    Pump(300ms);
    pty.write(Frame(8));
    settle();
    EXPECT_EQ(events.deliveries(), std::vector<Bytes>{Frame(8)});
}

TEST_F(CommOnPty, ClosingReleasesTheDeviceAndAllowsReopening) {
    comm.ClosePort();
    comm.OpenPort();
    comm.ClosePort();
    comm.ClosePort();
    EXPECT_FALSE(comm.isOpen());

    TComm other;
    other.setCommName(NameOf(pty));
    EXPECT_NO_THROW(other.OpenPort());
    other.ClosePort();

    comm.OpenPort();
    pty.write(Frame(8));
    settle();
    EXPECT_EQ(events.deliveries(), std::vector<Bytes>{Frame(8)});
}

TEST_F(CommOnPty, DestroyingAnOpenPortReleasesTheDevice) {
    {
        TComm doomed;
        doomed.setCommName(NameOf(pty));
        doomed.OpenPort();
        doomed.QueueWrite(Frame(8).data(), 8);
    }
    EXPECT_NO_THROW(comm.OpenPort());
}
