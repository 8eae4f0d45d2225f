#include "platform/SingleInstanceGuard.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QByteArray kRaiseRequest = "raise\n";
const QByteArray kRaisedAnswer = "raised\n";
const QByteArray kNoWindowAnswer = "no-window\n";

// A request longer than this is not ours; the connection is dropped.
constexpr int kMaxLine = 64;

} // namespace

CSingleInstanceGuard::CSingleInstanceGuard(const QString& name, const QString& folder)
    : m_bHasFolder(!folder.isEmpty()), m_strLockPath(folder + '/' + name + ".lock"),
      m_strServerPath(folder + '/' + name + ".sock"), m_lock(m_strLockPath),
      m_server(kMaxLine, [this](const QByteArray& request) { return Answer(request); }) {}

QString CSingleInstanceGuard::ProgramName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString CSingleInstanceGuard::RuntimeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool CSingleInstanceGuard::Acquire() {
    // Without a runtime folder the lock would land in the root folder.
    if (!m_bHasFolder) {
        m_strProblem = "no runtime folder to hold " + QFileInfo(m_strLockPath).fileName();
        return true;
    }
    // A live holder keeps its lock however old the file is; a holder that died is detected
    // by its process id and its lock taken over.
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError) {
            return false; // another instance holds it
        }
        m_strProblem = (m_lock.error() == QLockFile::PermissionError ? "no permission to create "
                                                                     : "cannot create ") +
                       m_strLockPath;
        return true;
    }
    // Holding the lock, any socket file left here belongs to an instance that died.
    QFile::remove(m_strServerPath);
    m_server.Listen(m_strServerPath);
    return true;
}

void CSingleInstanceGuard::SetRaiseHandler(std::function<bool()> handler) {
    m_raise = std::move(handler);
}

CSingleInstanceGuard::RaiseAnswer CSingleInstanceGuard::AskToRaise(int timeoutMs) const {
    const QByteArray answer =
        platform::AskLocalLine(m_strServerPath, kRaiseRequest, kMaxLine, timeoutMs);
    if (answer == kRaisedAnswer) {
        return RaiseAnswer::Raised;
    }
    if (answer == kNoWindowAnswer) {
        return RaiseAnswer::NoWindow;
    }
    return RaiseAnswer::NoAnswer;
}

QByteArray CSingleInstanceGuard::Answer(const QByteArray& request) const {
    if (request != kRaiseRequest) {
        return {}; // no action: hang up
    }
    return m_raise && m_raise() ? kRaisedAnswer : kNoWindowAnswer;
}
