// The program as a package installs it, started through its bin/quirn link from a program
// folder that no one may write to: it finds its folder through the link, and the media lists
// it makes land in the user's data folder while the program folder stays as it was.
#include "ControllerRun.h"

#include "core/LanguageSet.h"
#include "ui/main/ControlIds.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

using Launch = CControllerRun::Launch;
constexpr int kScreenTimeoutMs = CControllerRun::kScreenTimeoutMs;
constexpr QFileDevice::Permissions kWrite = QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                            QFileDevice::WriteGroup | QFileDevice::WriteOther;

// Every entry below root with its permissions and its content's digest or link target.
QStringList Listing(const QString& root) {
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QString line =
            path.mid(root.size()) + ' ' + QString::number(info.permissions().toInt(), 16);
        if (info.isSymLink()) {
            line += " -> " + info.symLinkTarget();
        } else if (info.isFile()) {
            QFile file(path);
            line +=
                ' ' +
                (file.open(QIODevice::ReadOnly)
                     ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex()
                     : QByteArray("unreadable"));
        }
        lines << line;
    }
    lines.sort();
    return lines;
}

// Takes every write permission bit off a tree for its lifetime.
class CReadOnlyTree {
public:
    explicit CReadOnlyTree(const QString& root) {
        m_paths << root;
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            m_paths << it.next();
        }
        Change(false);
    }
    ~CReadOnlyTree() { Change(true); }
    CReadOnlyTree(const CReadOnlyTree&) = delete;
    CReadOnlyTree& operator=(const CReadOnlyTree&) = delete;

private:
    void Change(bool writable) const {
        for (const QString& path : m_paths) {
            const QFileInfo info(path);
            if (!info.isSymLink()) {
                QFile::setPermissions(path, writable ? info.permissions() | QFileDevice::WriteOwner
                                                     : info.permissions() & ~kWrite);
            }
        }
    }

    QStringList m_paths;
};

QStringList MediaLists(const QString& folder) {
    return QDir(folder).entryList({"*.kcd"}, QDir::Files, QDir::Name);
}

// The installed tree: the unpacked package's usr folder when QUIRN_INSTALLED_PREFIX names one,
// else what `cmake --install` lays out from this build.
QString InstalledPrefix(const QString& scratch) {
    const QString given = qEnvironmentVariable("QUIRN_INSTALLED_PREFIX");
    if (!given.isEmpty()) {
        return given;
    }
    const QString prefix = scratch + "/prefix";
    QProcess install;
    install.start(QStringLiteral(QUIRN_CMAKE_COMMAND),
                  {"--install", QUIRN_RUNTIME_DIR, "--prefix", prefix});
    const bool done = install.waitForFinished(120000) &&
                      install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0;
    return done ? prefix : QString();
}

TEST(EndToEndInstalled, NewListGoesToTheUserFolderAndTheProgramFolderStaysUntouched) {
    const QByteArray kNewMediaFile = "[Generic]\r\nProduct=Vireclip Ver1\r\nType=WX8800-60\r\n"
                                     "[Setting]\r\nCutter=KR10A (1)\r\nForce=1\r\nSpeed=1\r\n"
                                     "Quality=1\r\nOffset=0\r\n";
    CControllerRun run;
    ASSERT_TRUE(run.IsValid());
    const QString prefix = InstalledPrefix(run.Folder());
    ASSERT_FALSE(prefix.isEmpty()) << "cmake --install failed";
    const QString link = prefix + "/bin/quirn";
    ASSERT_TRUE(QFileInfo(link).isSymLink());
    const QString listFolder =
        QString::fromStdString(CLanguageSet(1033).GetMediaListFolder()) + "WX8800-60";
    const QString shipped = prefix + "/" QUIRN_PROGRAM_INSTALL_DIR "/" + listFolder;
    const QString user = run.Folder() + "/data/quirn/" + listFolder;
    ASSERT_FALSE(MediaLists(shipped).isEmpty());

    const CReadOnlyTree readOnly(prefix);
    const QStringList before = Listing(prefix);
    CVncClient client;
    ASSERT_TRUE(run.StartOnScreen(Launch().Program(link), client));
    ASSERT_TRUE(client.WaitForScreen(screen::ShowsMainWindowAlone, kScreenTimeoutMs))
        << run.ErrorOutput().toStdString();
    const QImage main = client.Capture();

    // "List Edit...", its "New..." (the first button), then OK of the edit window (the third
    // of its four buttons), and "Close" of the list.
    const std::vector<QRect> list =
        ClickForWindow(client, screen::MainWindowControl(main, ctl::kListEdit).center(), 5);
    ASSERT_EQ(list.size(), 5u);
    const QImage listShown = client.Capture();
    const std::vector<QRect> edit = ClickForWindow(client, list.front().center(), 4);
    ASSERT_EQ(edit.size(), 4u);
    ASSERT_TRUE(client.Click(edit[2].center()));
    ASSERT_TRUE(WaitForWindowGone(client, listShown));
    ASSERT_TRUE(client.Click(list.back().center()));
    ASSERT_TRUE(WaitForWindowGone(client, main));
    ASSERT_TRUE(client.Press(CVncClient::kKeyReturn));
    EXPECT_EQ(run.ExitCode(), 0) << run.ErrorOutput().toStdString();

    QFile written(user + "/New Media.kcd");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), kNewMediaFile);
    QStringList expected = MediaLists(shipped) << "New Media.kcd";
    expected.sort();
    EXPECT_EQ(MediaLists(user), expected);
    EXPECT_EQ(Listing(prefix), before);
}

} // namespace
