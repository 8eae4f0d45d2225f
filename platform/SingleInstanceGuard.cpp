#include "platform/SingleInstanceGuard.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

const QByteArray kRaiseRequest = "raise\n";
const QByteArray kRaisedAnswer = "raised\n";
const QByteArray kNoWindowAnswer = "no-window\n";

// A request longer than this is not ours; the connection is dropped.
constexpr qint64 kMaxLine = 64;

} // namespace

CSingleInstanceGuard::CSingleInstanceGuard(const QString& name, const QString& folder)
    : m_bHasFolder(!folder.isEmpty()), m_strLockPath(folder + '/' + name + ".lock"),
      m_strServerPath(folder + '/' + name + ".sock"), m_lock(m_strLockPath) {
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstanceGuard::OnNewConnection);
}

CSingleInstanceGuard::~CSingleInstanceGuard() {
    m_server.close();
}

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
    QLocalServer::removeServer(m_strServerPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_strServerPath);
    return true;
}

void CSingleInstanceGuard::SetRaiseHandler(std::function<bool()> handler) {
    m_raise = std::move(handler);
}

CSingleInstanceGuard::RaiseAnswer CSingleInstanceGuard::AskToRaise(int timeoutMs) const {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_strServerPath);
    if (!socket.waitForConnected(deadline.remainingTime())) {
        return RaiseAnswer::NoAnswer;
    }
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(deadline.remainingTime())) {
        return RaiseAnswer::NoAnswer;
    }
    while (!socket.canReadLine() && socket.bytesAvailable() < kMaxLine) {
        if (!socket.waitForReadyRead(deadline.remainingTime())) {
            return RaiseAnswer::NoAnswer;
        }
    }
    const QByteArray answer = socket.readLine(kMaxLine);
    if (answer == kRaisedAnswer) {
        return RaiseAnswer::Raised;
    }
    if (answer == kNoWindowAnswer) {
        return RaiseAnswer::NoWindow;
    }
    return RaiseAnswer::NoAnswer;
}

void CSingleInstanceGuard::OnNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() >= kMaxLine) {
                    socket->abort();
                }
                return;
            }
            const QByteArray request = socket->readLine(kMaxLine);
            if (request == kRaiseRequest) {
                const bool raised = m_raise && m_raise();
                socket->write(raised ? kRaisedAnswer : kNoWindowAnswer);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}
