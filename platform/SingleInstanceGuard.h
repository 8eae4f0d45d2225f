#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <functional>

// Keeps a second controller from running beside the first: a lock file held for the whole
// run, and a local server on which a later instance asks the first to bring its window
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
    ~CSingleInstanceGuard() override;

    // The program file's name without extension and the per-user runtime folder.
    static QString ProgramName();
    static QString RuntimeFolder();

    // True when no other instance holds the guard; this instance then answers raise requests.
    bool Acquire();

    // Called for each raise request while the guard is held; returns whether a window was
    // brought forward.
    void SetRaiseHandler(std::function<bool()> handler);

    // Asks the instance that holds the guard to bring its window forward.
    RaiseAnswer AskToRaise(int timeoutMs) const;

    QString LockPath() const { return m_strLockPath; }
    QString ServerPath() const { return m_strServerPath; }

private:
    void OnNewConnection();

    QString m_strLockPath;
    QString m_strServerPath;
    QLockFile m_lock;
    QLocalServer m_server;
    std::function<bool()> m_raise;
};
