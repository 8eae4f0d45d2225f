// Real controller processes side by side: the single-instance guard and the exit codes seen
// by the program that starts the controller. The first instance runs on Qt's VNC platform so
// that the test can press its keys like a user; the second runs offscreen.
#include "platform/SingleInstanceGuard.h"
#include "tests/e2e/VncClient.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <vector>

namespace {

const QString kProgram = QStringLiteral(QUIRN_RUNTIME_DIR "/quirn");
constexpr quint32 kKeyReturn = CVncClient::kKeyReturn;
constexpr quint32 kKeyEscape = CVncClient::kKeyEscape;

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

    QProcess& Start(const QStringList& arguments, const QString& platform,
                    QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert("XDG_CONFIG_HOME", m_home.path() + "/config");
        env.insert("HOME", m_home.path());
        env.insert("QT_QPA_PLATFORM", platform);
        env.insert("LC_ALL", "C");
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(channels);
        process->start(kProgram, arguments);
        EXPECT_TRUE(process->waitForStarted(10000));
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }

    // The first controller, on a VNC screen whose keyboard the test holds.
    QProcess& StartFirst(const QStringList& arguments, CVncClient& keyboard) {
        const quint16 port = CVncClient::FreePort();
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
    CVncClient keyboard;
    QProcess& first = StartFirst({"/DEMO"}, keyboard);

    QProcess& second = Start({"/DEMO", "/CUTMODE"}, "offscreen", QProcess::SeparateChannels);
    EXPECT_EQ(ExitCodeOf(second), 100);
    EXPECT_EQ(second.readAllStandardError(),
              "quirn: another controller is already running; its window was brought to the "
              "front\n");
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_TRUE(WaitForWindow());

    // The guard is still held after the second one gave up.
    CSingleInstanceGuard third("quirn", m_runtime.path());
    EXPECT_FALSE(third.Acquire());

    ASSERT_TRUE(keyboard.Press(kKeyEscape));
    EXPECT_EQ(ExitCodeOf(first), 1);
}

// A user at a terminal: usage and version without any display, and a start without a usable
// display ends with one line and "could not start" instead of Qt's abort.
TEST_F(TwoControllers, TerminalGetsItsAnswerWithoutAWindow) {
    struct Row {
        QStringList arguments;
        const char* display; // nullptr: not set
        int exitCode;
        const char* stdoutStart;
        const char* stderrStart; // of its one line
        const char* stderrHolds;
    };
    const Row rows[] = {
        {{"--help"}, nullptr, 0, "Usage: quirn [parameter ...]\n", "", ""},
        {{"/CUTMODE", "--version", "--help"}, ":7777", 0, "Usage: quirn", "", ""},
        {{"--version"}, nullptr, 0, "quirn " QUIRN_VERSION "\n", "", ""},
        {{"/DEMO"}, nullptr, 101, "", "quirn: cannot start: ", "DISPLAY is not set"},
        {{"/DEMO"}, ":7777", 101, "", "quirn: cannot start: ", "display :7777"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString() + " on " +
                     (row.display ? row.display : "no display"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert("HOME", m_home.path());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("WAYLAND_DISPLAY");
        env.remove("DISPLAY");
        if (row.display) {
            env.insert("DISPLAY", row.display);
        }
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(kProgram, row.arguments);
        ASSERT_TRUE(process.waitForFinished(15000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), row.exitCode);
        const QByteArray out = process.readAllStandardOutput();
        const QByteArray err = process.readAllStandardError();
        EXPECT_TRUE(out.startsWith(row.stdoutStart)) << out.toStdString();
        EXPECT_EQ(out.isEmpty(), *row.stdoutStart == '\0');
        EXPECT_TRUE(err.startsWith(row.stderrStart)) << err.toStdString();
        EXPECT_TRUE(err.contains(row.stderrHolds)) << err.toStdString();
        EXPECT_EQ(err.count('\n'), *row.stderrStart == '\0' ? 0 : 1) << err.toStdString();
        if (row.arguments.contains("--help")) {
            for (const char* part : {"/CUTMODE", "/TB2x", "/OWNER", "100", "101", "199"}) {
                EXPECT_TRUE(out.contains(part)) << part;
            }
        }
    }
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
        CVncClient keyboard;
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
    CVncClient firstKeyboard;
    QProcess& killed = StartFirst({"/DEMO"}, firstKeyboard);
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished(5000));
    ASSERT_TRUE(QFile::exists(m_runtime.path() + "/quirn.lock"));

    CVncClient keyboard;
    QProcess& next = StartFirst({"/DEMO"}, keyboard);
    ASSERT_TRUE(keyboard.Press(kKeyReturn));
    EXPECT_EQ(ExitCodeOf(next), 0);
}

// A runtime folder that cannot take the lock file says nothing about another controller:
// the controller starts as if alone and says so in one line on standard error.
TEST_F(TwoControllers, LockThatCannotBeMadeDoesNotStopTheStart) {
    // Its path leaves no room for "/quirn.lock" within PATH_MAX (4096 with the final zero),
    // which fails the lock for root too. A runtime folder must be the user's own, mode 0700.
    constexpr qsizetype kLength = 4085;
    QString folder = m_runtime.path();
    while (folder.size() < kLength) {
        const qsizetype room = kLength - folder.size() - 1;
        folder += '/' + QString(std::clamp<qsizetype>(room, 1, 200), 'd');
    }
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QProcess controller;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", folder);
    env.insert("XDG_CONFIG_HOME", m_home.path() + "/config");
    env.insert("HOME", m_home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QUIRN_EXIT_WHEN_READY", "1");
    controller.setProcessEnvironment(env);
    controller.start(kProgram, {"/DEMO"});
    ASSERT_TRUE(controller.waitForFinished(30000));
    const QStringList lines = QString::fromLocal8Bit(controller.readAllStandardError()).split('\n');
    EXPECT_EQ(controller.exitCode(), 1) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("quirn: main window ready"));
    EXPECT_EQ(lines.filter("single-instance").size(), 1);
}

TEST_F(TwoControllers, OldLockOfARunningControllerStillHolds) {
    CVncClient keyboard;
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
