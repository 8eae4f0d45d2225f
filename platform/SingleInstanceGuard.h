#pragma once

#include "platform/LocalLineSocket.h"

#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>

// Keeps a second controller from running beside the first: a lock file held for the whole
// run, and a local socket on which a later instance asks the first to bring its window
// forward before it ends.
class CSingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    enum class RaiseAnswer {
        NoAnswer, // nobody listens, or no valid answer came in time
        Raised,
        NoWindow, // the first instance has no window to bring forward yet
    };

    // name: the program file's name without extension; folder: the user's runtime folder.
    CSingleInstanceGuard(const QString& name, const QString& folder);

    // The program file's name without extension and the per-user runtime folder.
    static QString ProgramName();
    static QString RuntimeFolder();

    // False only when another running instance holds the guard. True when this instance now
    // holds it and answers raise requests, and also when no lock can be made here at all (no
    // runtime folder, no permission): the instance then runs unguarded and Problem() says why.
    [[nodiscard]] bool Acquire();
    // Why Acquire could not make the lock, as one line of text; empty when it could.
    QString Problem() const { return m_strProblem; }

    // Called for each raise request while the guard is held; returns whether a window was
    // brought forward.
    void SetRaiseHandler(std::function<bool()> handler);

    // Asks the instance that holds the guard to bring its window forward.
    RaiseAnswer AskToRaise(int timeoutMs) const;

    QString LockPath() const { return m_strLockPath; }
    QString ServerPath() const { return m_strServerPath; }

private:
    QByteArray Answer(const QByteArray& request) const;

    bool m_bHasFolder;
    QString m_strLockPath;
    QString m_strServerPath;
    QString m_strProblem;
    QLockFile m_lock;
    CLocalLineServer m_server; // after m_lock: closed while the lock is still held
    std::function<bool()> m_raise;
};
