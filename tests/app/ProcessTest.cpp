// Real controller processes side by side: the single-instance guard and the exit codes seen
// by the program that starts the controller. The first instance runs on Qt's VNC platform so
// that the test can press its keys like a user; the second runs offscreen.
#include "platform/SingleInstanceGuard.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <vector>

namespace {

const QString kProgram = QStringLiteral(QUIRN_RUNTIME_DIR "/quirn");
constexpr quint32 kKeyReturn = 0xff0d;
constexpr quint32 kKeyEscape = 0xff1b;

quint16 FreePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

// The smallest RFB client that can type: handshake without security, then key events.
class VncKeyboard {
public:
    bool Connect(quint16 port, int timeoutMs) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            m_socket.connectToHost(QHostAddress::LocalHost, port);
            if (m_socket.waitForConnected(500)) {
                return Handshake();
            }
            m_socket.abort();
            QThread::msleep(100);
        }
        return false;
    }

    bool Press(quint32 keysym) { return SendKey(keysym, true) && SendKey(keysym, false); }

private:
    bool Read(qint64 count, QByteArray& out) {
        out.clear();
        while (out.size() < count) {
            if (!m_socket.bytesAvailable() && !m_socket.waitForReadyRead(5000)) {
                return false;
            }
            out += m_socket.read(count - out.size());
        }
        return true;
    }

    bool Handshake() {
        QByteArray data;
        if (!Read(12, data) || !data.startsWith("RFB ")) {
            return false;
        }
        m_socket.write("RFB 003.003\n");
        if (!Read(4, data) || qFromBigEndian<quint32>(data.constData()) != 1) { // no security
            return false;
        }
        m_socket.write(QByteArray(1, '\1')); // shared session
        if (!Read(24, data)) {
            return false;
        }
        const quint32 nameLength = qFromBigEndian<quint32>(data.constData() + 20);
        return Read(nameLength, data);
    }

    bool SendKey(quint32 keysym, bool down) {
        QByteArray event(8, '\0');
        event[0] = 4; // KeyEvent
        event[1] = down ? 1 : 0;
        qToBigEndian(keysym, event.data() + 4);
        m_socket.write(event);
        return m_socket.waitForBytesWritten(5000);
    }

    QTcpSocket m_socket;
};

class TwoControllers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_runtime.isValid() && m_home.isValid()); }

    void TearDown() override {
        for (auto& process : m_processes) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    QProcess& Start(const QStringList& arguments, const QString& platform) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert("XDG_CONFIG_HOME", m_home.path() + "/config");
        env.insert("HOME", m_home.path());
        env.insert("QT_QPA_PLATFORM", platform);
        env.insert("LC_ALL", "C");
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(kProgram, arguments);
        EXPECT_TRUE(process->waitForStarted(10000));
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }

    // The first controller, on a VNC screen whose keyboard the test holds.
    QProcess& StartFirst(const QStringList& arguments, VncKeyboard& keyboard) {
        const quint16 port = FreePort();
        QProcess& process = Start(arguments, QString("vnc:size=640x480:port=%1").arg(port));
        EXPECT_TRUE(keyboard.Connect(port, 10000)) << "no VNC screen on port " << port;
        EXPECT_TRUE(WaitForWindow()) << "the first controller shows no window";
        return process;
    }

    // Asks as a second instance would, until the running one answers that its window came
    // forward.
    bool WaitForWindow() {
        const CSingleInstanceGuard asker("quirn", m_runtime.path());
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            if (asker.AskToRaise(1000) == CSingleInstanceGuard::RaiseAnswer::Raised) {
                return true;
            }
            QThread::msleep(100);
        }
        return false;
    }

    static int ExitCodeOf(QProcess& process) {
        const bool ended =
            process.state() == QProcess::NotRunning || process.waitForFinished(15000);
        if (!ended || process.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        return process.exitCode();
    }

    QTemporaryDir m_runtime;
    QTemporaryDir m_home;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

TEST_F(TwoControllers, SecondInstanceEndsWith100WhileTheFirstRuns) {
    VncKeyboard keyboard;
    QProcess& first = StartFirst({"/DEMO"}, keyboard);

    QProcess& second = Start({"/DEMO", "/CUTMODE"}, "offscreen");
    EXPECT_EQ(ExitCodeOf(second), 100);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(WaitForWindow());

    // The guard is still held after the second one gave up.
    CSingleInstanceGuard third("quirn", m_runtime.path());
    EXPECT_FALSE(third.Acquire());

    ASSERT_TRUE(keyboard.Press(kKeyEscape));
    EXPECT_EQ(ExitCodeOf(first), 1);
}

TEST_F(TwoControllers, WindowResultBecomesTheExitCode) {
    constexpr int kMaxPresses = 6;
    struct Row {
        QStringList arguments;
        quint32 key;
        int exitCode;
    };
    const std::vector<Row> rows{
        {{"/DEMO"}, kKeyReturn, 0},
        {{"/DEMO"}, kKeyEscape, 1},
        {{"/DEMO", "/CUTMODE"}, kKeyReturn, 2},
        {{"/cutmode", "-DEMO,RX3600-40"}, kKeyEscape, 1},
        // Arguments no caller should send still leave a controller that starts and closes.
        {{"/DEMO", "/TB2x,1e999,", "/OWNER99999999999", "\u00dcn\u00efc\u00f8de", "",
          QString(100000, 'x'), "/IR", "-", "/TBM,\u00e4", "/OWNER", "-1"},
         kKeyReturn,
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        VncKeyboard keyboard;
        QProcess& controller = StartFirst(row.arguments, keyboard);
        // Launch values that do not fit are reported in message boxes first; the same key
        // answers each of them before it reaches the main window.
        for (int press = 0; press < kMaxPresses && controller.state() != QProcess::NotRunning;
             ++press) {
            ASSERT_TRUE(keyboard.Press(row.key));
            controller.waitForFinished(2000);
        }
        EXPECT_EQ(ExitCodeOf(controller), row.exitCode);
    }
}

TEST_F(TwoControllers, LockOfAKilledControllerDoesNotBlockTheNext) {
    VncKeyboard firstKeyboard;
    QProcess& killed = StartFirst({"/DEMO"}, firstKeyboard);
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished(5000));
    ASSERT_TRUE(QFile::exists(m_runtime.path() + "/quirn.lock"));

    VncKeyboard keyboard;
    QProcess& next = StartFirst({"/DEMO"}, keyboard);
    ASSERT_TRUE(keyboard.Press(kKeyReturn));
    EXPECT_EQ(ExitCodeOf(next), 0);
}

TEST_F(TwoControllers, OldLockOfARunningControllerStillHolds) {
    VncKeyboard keyboard;
    QProcess& first = StartFirst({"/DEMO"}, keyboard);
    QFile lock(m_runtime.path() + "/quirn.lock");
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-7200),
                                 QFileDevice::FileModificationTime));
    lock.close();

    EXPECT_EQ(ExitCodeOf(Start({"/DEMO"}, "offscreen")), 100);
    ASSERT_TRUE(keyboard.Press(kKeyEscape));
    EXPECT_EQ(ExitCodeOf(first), 1);
}

} // namespace
