#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <string>
#include <vector>

// A cupsd of the test's own: private configuration, spool and port, queues that print to
// /dev/null under a driver whose make-and-model the test chooses.
class CPrivateCupsd {
public:
    struct Queue {
        std::string strName;
        std::string strMakeAndModel;
    };

    explicit CPrivateCupsd(const std::vector<Queue>& queues);
    ~CPrivateCupsd();

    // Starts the daemon and waits until it answers. False with the reason in `error`.
    bool Start(std::string& error);
    void Stop();
    // "127.0.0.1:port", for cupsSetServer and CUPS_SERVER.
    std::string Server() const;
    // Puts a held job on the queue: it stays there, active, until released.
    bool AddHeldJob(const std::string& queue);
    bool DeleteQueue(const std::string& queue);

private:
    bool RunClient(const QString& program, const QStringList& arguments);
    void WriteConfiguration(const std::vector<Queue>& queues);

    QTemporaryDir m_root;
    int m_nPort = 0;
    QProcess m_daemon;
};

// A TCP port that accepts connections and never answers: a hung spooler.
class CSilentListener {
public:
    CSilentListener();
    ~CSilentListener();
    std::string Server() const;

private:
    int m_fd = -1;
    int m_nPort = 0;
};

// A port on which nothing listens: a stopped spooler.
std::string ClosedServer();
