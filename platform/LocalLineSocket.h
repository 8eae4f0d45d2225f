#pragma once

#include "platform/FileDescriptor.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <functional>
#include <optional>

// One request line and one answer line between processes of the same user, on a local
// (AF_UNIX) stream socket. Written on the system's sockets rather than with QLocalServer and
// QLocalSocket so that the program does not load Qt Network (and libproxy with it) at every
// start for this one exchange.
class CLocalLineServer : public QObject {
public:
    // Gets a request line (ending in '\n') and returns the answer line, or an empty array to
    // hang up without one.
    using Answerer = std::function<QByteArray(const QByteArray& request)>;

    // maxLine: a connection that sends this many bytes without a '\n' is dropped.
    CLocalLineServer(int maxLine, Answerer answerer);
    // Removes the socket file when it listened.
    ~CLocalLineServer() override;

    // Listens at path, where no file may be; only the owner may connect. Requests are served by
    // the event loop of this object's thread. False when the socket cannot be made there.
    bool Listen(const QString& path);

private:
    void Accept();

    int m_nMaxLine;
    Answerer m_answer;
    QByteArray m_path;
    std::optional<CFileDescriptor> m_listener;
    std::optional<QSocketNotifier> m_notifier; // after m_listener: goes before the socket closes
};

namespace platform {

// Connects to the server at path, sends request and returns its answer line with the '\n', or
// an empty array when nobody listens or no whole line of at most maxLine bytes came within
// timeoutMs.
QByteArray AskLocalLine(const QString& path, const QByteArray& request, int maxLine, int timeoutMs);

} // namespace platform
