#include "platform/LocalLineSocket.h"

#include <QDeadlineTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A connect that finds the listener's backlog full is tried again after this long.
constexpr int kConnectRetryMs = 10;

// False when the path does not fit into a socket address.
bool MakeAddress(const QByteArray& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

const sockaddr* Generic(const sockaddr_un& address) {
    return reinterpret_cast<const sockaddr*>(&address);
}

int NewSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Waits until the socket is ready for `events`, or has hung up, before the deadline.
bool WaitFor(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd entry{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, static_cast<int>(deadline.remainingTime()));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

bool TryAgain() {
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

// Appends what the socket holds to `line`, up to `limit` bytes in all; the read's result.
ssize_t ReadInto(int fd, QByteArray& line, int limit) {
    const qsizetype held = line.size();
    line.resize(limit);
    const ssize_t got = ::read(fd, line.data() + held, static_cast<std::size_t>(limit - held));
    line.resize(held + std::max<ssize_t>(got, 0));
    return got;
}

// One accepted connection: reads one request line, answers it and hangs up.
class CLineConnection : public QObject {
public:
    CLineConnection(int fd, int maxLine, const CLocalLineServer::Answerer& answer, QObject* parent)
        : QObject(parent), m_fd(fd), m_nMaxLine(maxLine), m_answer(answer),
          m_notifier(fd, QSocketNotifier::Read) {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] { OnReadable(); });
    }

private:
    void OnReadable() {
        const ssize_t got = ReadInto(m_fd.Get(), m_line, m_nMaxLine);
        if (got < 0 && TryAgain()) {
            return;
        }
        if (got <= 0) {
            HangUp(); // the asker left, or the connection failed
            return;
        }
        const qsizetype end = m_line.indexOf('\n');
        if (end < 0) {
            if (m_line.size() >= m_nMaxLine) {
                HangUp(); // not a request of ours
            }
            return;
        }
        // Answering may bring a window forward and serve events: nothing more is read here.
        m_notifier.setEnabled(false);
        const QByteArray answer = m_answer(m_line.left(end + 1));
        if (!answer.isEmpty()) {
            // One short line into an empty socket buffer: it fits, or the asker is gone.
            ::send(m_fd.Get(), answer.constData(), static_cast<std::size_t>(answer.size()),
                   MSG_NOSIGNAL | MSG_DONTWAIT);
        }
        HangUp();
    }

    void HangUp() {
        m_notifier.setEnabled(false);
        m_fd.Close();
        deleteLater();
    }

    CFileDescriptor m_fd;
    int m_nMaxLine;
    const CLocalLineServer::Answerer& m_answer; // the server's, which owns this connection
    QSocketNotifier m_notifier;
    QByteArray m_line;
};

} // namespace

CLocalLineServer::CLocalLineServer(int maxLine, Answerer answerer)
    : m_nMaxLine(maxLine), m_answer(std::move(answerer)) {}

CLocalLineServer::~CLocalLineServer() {
    if (m_listener) {
        ::unlink(m_path.constData());
    }
}

bool CLocalLineServer::Listen(const QString& path) {
    sockaddr_un address;
    if (m_listener || !MakeAddress(QFile::encodeName(path), address)) {
        return false;
    }
    const int fd = m_listener.emplace(NewSocket()).Get();
    // Set before bind, the mode is the socket file's from the moment it exists.
    if (fd < 0 || ::fchmod(fd, S_IRUSR | S_IWUSR) != 0 ||
        ::bind(fd, Generic(address), sizeof(address)) != 0) {
        m_listener.reset();
        return false;
    }
    if (::listen(fd, SOMAXCONN) != 0) {
        m_listener.reset();
        ::unlink(address.sun_path);
        return false;
    }
    m_path = address.sun_path;
    m_notifier.emplace(fd, QSocketNotifier::Read);
    QObject::connect(&*m_notifier, &QSocketNotifier::activated, this, [this] { Accept(); });
    return true;
}

void CLocalLineServer::Accept() {
    for (;;) {
        const int fd = ::accept4(m_listener->Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            new CLineConnection(fd, m_nMaxLine, m_answer, this);
        } else if (errno != EINTR && errno != ECONNABORTED) {
            return; // none left (or none to take now: the next notification tries again)
        }
    }
}

QByteArray platform::AskLocalLine(const QString& path, const QByteArray& request, int maxLine,
                                  int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    sockaddr_un address;
    if (!MakeAddress(QFile::encodeName(path), address)) {
        return {};
    }
    const CFileDescriptor fd(NewSocket());
    if (fd.Get() < 0) {
        return {};
    }
    // A full backlog refuses at once with EAGAIN rather than letting the connect wait.
    while (::connect(fd.Get(), Generic(address), sizeof(address)) != 0) {
        if (!TryAgain() || deadline.hasExpired()) {
            return {};
        }
        ::poll(nullptr, 0, kConnectRetryMs);
    }
    for (qsizetype sent = 0; sent < request.size();) {
        const ssize_t put = ::send(fd.Get(), request.constData() + sent,
                                   static_cast<std::size_t>(request.size() - sent), MSG_NOSIGNAL);
        if (put >= 0) {
            sent += put;
        } else if (!TryAgain() || !WaitFor(fd.Get(), POLLOUT, deadline)) {
            return {};
        }
    }
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (answer.size() >= maxLine || !WaitFor(fd.Get(), POLLIN, deadline)) {
            return {};
        }
        const ssize_t got = ReadInto(fd.Get(), answer, maxLine);
        if (got == 0 || (got < 0 && !TryAgain())) {
            return {}; // hung up before a whole line
        }
    }
    return answer.left(answer.indexOf('\n') + 1);
}
