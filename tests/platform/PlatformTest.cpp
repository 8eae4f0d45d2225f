#include "platform/HelpPages.h"
#include "platform/LocaleFacts.h"
#include "platform/SingleInstanceGuard.h"
#include "platform/WindowFront.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLocale>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>

namespace {

// Serves this thread's events until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs the raise request on another thread while this one serves the guard's connections.
CSingleInstanceGuard::RaiseAnswer AskFromOtherThread(const CSingleInstanceGuard& asker) {
    auto answer = std::async(std::launch::async, [&asker] { return asker.AskToRaise(5000); });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) {
        QCoreApplication::processEvents();
    }
    return answer.get();
}

TEST(SingleInstanceGuard, OnlyOneHolderAtATime) {
    QTemporaryDir folder;
    auto first = std::make_unique<CSingleInstanceGuard>("quirn", folder.path());
    CSingleInstanceGuard second("quirn", folder.path());
    CSingleInstanceGuard otherProgram("other", folder.path());
    ASSERT_TRUE(first->Acquire());
    EXPECT_FALSE(second.Acquire());
    EXPECT_TRUE(otherProgram.Acquire());
    first.reset();
    EXPECT_TRUE(second.Acquire());
    EXPECT_EQ(second.LockPath(), folder.path() + "/quirn.lock");
}

// Only a lock held by another instance stops the start; a lock that cannot be made at all
// lets this instance run unguarded, with the reason to tell.
TEST(SingleInstanceGuard, LockThatCannotBeMadeDoesNotStopTheStart) {
    QTemporaryDir temporary;
    QFile file(temporary.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QString folders[] = {
        "",                            // no runtime folder
        temporary.filePath("missing"), // a folder that is not there
        file.fileName(),               // a file in place of the folder
        "/sys",                        // takes no new files, not even from root
    };
    for (const QString& folder : folders) {
        SCOPED_TRACE(folder.toStdString());
        CSingleInstanceGuard guard("quirn", folder);
        EXPECT_TRUE(guard.Acquire());
        EXPECT_FALSE(guard.Problem().isEmpty());
    }
}

TEST(SingleInstanceGuard, RaiseRequestReachesTheHolder) {
    QTemporaryDir folder;
    CSingleInstanceGuard holder("quirn", folder.path());
    CSingleInstanceGuard asker("quirn", folder.path());
    ASSERT_TRUE(holder.Acquire());

    // No handler yet: the window does not exist.
    EXPECT_EQ(AskFromOtherThread(asker), CSingleInstanceGuard::RaiseAnswer::NoWindow);

    int calls = 0;
    bool windowThere = true;
    holder.SetRaiseHandler([&] {
        ++calls;
        return windowThere;
    });
    EXPECT_EQ(AskFromOtherThread(asker), CSingleInstanceGuard::RaiseAnswer::Raised);
    windowThere = false;
    EXPECT_EQ(AskFromOtherThread(asker), CSingleInstanceGuard::RaiseAnswer::NoWindow);
    EXPECT_EQ(calls, 2);
}

TEST(SingleInstanceGuard, NobodyListeningGivesNoAnswer) {
    QTemporaryDir folder;
    const CSingleInstanceGuard asker("quirn", folder.path());
    EXPECT_EQ(asker.AskToRaise(1000), CSingleInstanceGuard::RaiseAnswer::NoAnswer);
}

TEST(SingleInstanceGuard, SocketLeftByADeadInstanceIsReplaced) {
    QTemporaryDir folder;
    CSingleInstanceGuard holder("quirn", folder.path());
    {
        QFile leftover(holder.ServerPath());
        ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(holder.Acquire());
    holder.SetRaiseHandler([] { return true; });
    const CSingleInstanceGuard asker("quirn", folder.path());
    EXPECT_EQ(AskFromOtherThread(asker), CSingleInstanceGuard::RaiseAnswer::Raised);
}

TEST(SingleInstanceGuard, ForeignRequestsDoNotRaiseAndDoNotStopTheServer) {
    QTemporaryDir folder;
    CSingleInstanceGuard holder("quirn", folder.path());
    ASSERT_TRUE(holder.Acquire());
    int calls = 0;
    holder.SetRaiseHandler([&] {
        ++calls;
        return true;
    });
    for (const QByteArray& request : {QByteArray(4096, 'x'), QByteArray("close\n"),
                                      QByteArray("raise now\n"), QByteArray("\0raise\n", 7)}) {
        QLocalSocket socket;
        socket.connectToServer(holder.ServerPath());
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write(request);
        socket.flush();
        EXPECT_TRUE(WaitUntil(
            [&socket] { return socket.state() == QLocalSocket::UnconnectedState; }, 5000));
    }
    EXPECT_EQ(calls, 0);
    const CSingleInstanceGuard asker("quirn", folder.path());
    EXPECT_EQ(AskFromOtherThread(asker), CSingleInstanceGuard::RaiseAnswer::Raised);
    EXPECT_EQ(calls, 1);
}

// A request may arrive in pieces; only the owner may connect, and the socket file goes with
// the holder.
TEST(SingleInstanceGuard, RequestInPiecesIsAnsweredOnTheOwnersSocket) {
    QTemporaryDir folder;
    auto holder = std::make_unique<CSingleInstanceGuard>("quirn", folder.path());
    ASSERT_TRUE(holder->Acquire());
    holder->SetRaiseHandler([] { return true; });
    const QFileInfo socketFile(holder->ServerPath());
    constexpr QFile::Permissions kNotTheOwners = QFile::ReadGroup | QFile::WriteGroup |
                                                 QFile::ExeGroup | QFile::ReadOther |
                                                 QFile::WriteOther | QFile::ExeOther;
    EXPECT_FALSE(socketFile.permissions() & kNotTheOwners);

    QLocalSocket socket;
    socket.connectToServer(holder->ServerPath());
    ASSERT_TRUE(socket.waitForConnected(2000));
    for (const QByteArray& piece : {QByteArray("ra"), QByteArray("ise\n")}) {
        socket.write(piece);
        socket.flush();
        EXPECT_TRUE(WaitUntil([&socket] { return socket.bytesAvailable() > 0; }, 300) ==
                    piece.endsWith('\n'));
    }
    EXPECT_EQ(socket.readAll(), "raised\n");

    holder.reset();
    EXPECT_FALSE(QFileInfo::exists(socketFile.filePath()));
}

TEST(WindowFront, RestoresMinimisedWindowAndPrefersItsModalPopup) {
    EXPECT_FALSE(platform::BringToFront(nullptr));

    QDialog window;
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    EXPECT_TRUE(platform::BringToFront(&window));
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());

    QDialog popup(&window);
    popup.setModal(true);
    popup.show();
    window.showMinimized();
    EXPECT_TRUE(platform::BringToFront(&window));
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(WaitUntil([&popup] { return QApplication::activeWindow() == &popup; }, 5000));
}

TEST(HelpPages, TheFirstFolderThatHoldsThePageGivesIt) {
    QTemporaryDir root;
    const QString own = root.path() + "/JPN";
    const QString english = root.path() + "/ENG";
    for (const QString& page : {own + "/98306.html", english + "/98306.html",
                                english + "/98305.html", english + "/98304.html"}) {
        QDir().mkpath(QFileInfo(page).path());
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir().mkpath(own + "/98304.html"); // a folder is no page
    const struct {
        QStringList folders;
        int context;
        QString page;
    } rows[] = {
        {{own, english}, 98306, own + "/98306.html"},
        {{own, english}, 98305, english + "/98305.html"},
        {{own, english}, 98304, english + "/98304.html"},
        {{own, english}, 98307, QString()},
        {{root.path() + "/missing", english}, 98306, english + "/98306.html"},
        {{}, 98306, QString()},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::FindHelpPage(row.folders, row.context), row.page)
            << row.context << " " << row.folders.join(' ').toStdString();
    }
}

// The desktop's opener is xdg-open from PATH: missing, failing (no handler: status 3, the
// handler failed: 4), crashing, or handing the page on.
TEST(HelpPages, AnOpenerThatCannotShowThePageIsReported) {
    struct Row {
        const char* script; // nullptr: no xdg-open at all
        bool failed;
    };
    const Row rows[] = {
        {nullptr, true},   {"exit 3", true},         {"exit 4", true}, {"kill -SEGV $$", true},
        {"exit 0", false}, {"exec sleep 30", false}, // still showing the page: not waited for
    };
    const QByteArray path = qgetenv("PATH");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script ? row.script : "no xdg-open");
        QTemporaryDir bin;
        if (row.script) {
            QFile opener(bin.path() + "/xdg-open");
            ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
            // Only this opener is on the search path; its own commands use the usual one.
            opener.write("#!/bin/sh\necho \"$1\" > \"${0%/*}/asked\"\nPATH='" + path + "'\n" +
                         row.script + "\n");
            opener.close();
            opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
        }
        qputenv("PATH", bin.path().toUtf8());
        int failures = 0;
        const QUrl page = QUrl::fromLocalFile(bin.path() + "/98306.html");
        platform::OpenInDesktopBrowser(page, [&failures] { ++failures; });
        qputenv("PATH", path);

        WaitUntil([&] { return failures > 0 || QFile::exists(bin.path() + "/asked"); }, 10000);
        WaitUntil([&] { return failures > 0; }, row.failed ? 10000 : 300);
        EXPECT_EQ(failures, row.failed ? 1 : 0);
        if (row.script) {
            QFile asked(bin.path() + "/asked");
            ASSERT_TRUE(asked.open(QIODevice::ReadOnly));
            EXPECT_EQ(asked.readAll().trimmed(), page.toString().toUtf8());
        }
    }
}

TEST(LocaleFacts, MeasurementSystemAndSeparator) {
    struct Row {
        const char* locale;
        bool metric;
        char separator;
    };
    const std::vector<Row> rows{
        {"de_DE", true, ','}, {"en_US", false, '.'}, {"en_GB", true, '.'},
        {"fr_FR", true, ','}, {"ja_JP", true, '.'},  {"ar_EG", true, '.'},
    };
    for (const Row& row : rows) {
        const QLocale locale(row.locale);
        EXPECT_EQ(platform::UsesMetric(locale), row.metric) << row.locale;
        EXPECT_EQ(platform::DecimalSeparator(locale), row.separator) << row.locale;
    }
}

} // namespace
