#include "tests/link/PrivateCupsd.h"

#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A free port on the loopback interface, picked by the kernel.
int BindLoopback(int fd) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        return 0;
    }
    socklen_t size = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    return ntohs(address.sin_port);
}

int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int port = BindLoopback(fd);
    close(fd);
    return port;
}

std::string Loopback(int port) {
    return "127.0.0.1:" + std::to_string(port);
}

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// The least a driver needs for cupsd to take its NickName as the queue's make-and-model.
QByteArray DriverFor(const std::string& makeAndModel) {
    const QByteArray name = QByteArray::fromStdString(makeAndModel);
    return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
           "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
           "*PCFileName: \"CUTTER.PPD\"\n*Manufacturer: \"Morvalin\"\n*Product: \"(Cutter)\"\n"
           "*ModelName: \"" +
           name + "\"\n*ShortNickName: \"" + name + "\"\n*NickName: \"" + name +
           "\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n*ColorDevice: False\n"
           "*DefaultColorSpace: Gray\n*FileSystem: False\n*Throughput: \"1\"\n"
           "*cupsFilter: \"application/vnd.cups-raw 0 -\"\n"
           "*OpenUI *PageSize/Media Size: PickOne\n*DefaultPageSize: Letter\n"
           "*PageSize Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
           "*CloseUI: *PageSize\n*DefaultPageRegion: Letter\n*DefaultImageableArea: Letter\n"
           "*DefaultPaperDimension: Letter\n*ImageableArea Letter: \"0 0 612 792\"\n"
           "*PaperDimension Letter: \"612 792\"\n";
}

} // namespace

CPrivateCupsd::CPrivateCupsd(const std::vector<Queue>& queues) : m_nPort(FreePort()) {
    WriteConfiguration(queues);
}

CPrivateCupsd::~CPrivateCupsd() {
    Stop();
}

void CPrivateCupsd::WriteConfiguration(const std::vector<Queue>& queues) {
    const QString root = m_root.path();
    for (const char* folder : {"conf/ppd", "spool", "cache", "run", "log", "tmp"}) {
        QDir(root).mkpath(folder);
    }
    // cupsd refuses a server root that others may write to.
    QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                    QFile::ExeOther);
    WriteFile(root + "/conf/cupsd.conf",
              "Listen " + QByteArray::fromStdString(Loopback(m_nPort)) +
                  "\nLogLevel warn\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n    Allow all\n"
                  "  </Limit>\n</Policy>\n");
    const QByteArray r = root.toLocal8Bit();
    WriteFile(root + "/conf/cups-files.conf",
              "ServerRoot " + r + "/conf\nRequestRoot " + r + "/spool\nCacheDir " + r +
                  "/cache\nStateDir " + r + "/run\nTempDir " + r + "/tmp\nErrorLog " + r +
                  "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r +
                  "/log/page_log\nDataDir /usr/share/cups\nServerBin /usr/lib/cups\n"
                  "FileDevice Yes\nSandboxing Relaxed\n");
    QByteArray printers;
    for (const Queue& queue : queues) {
        const QByteArray name = QByteArray::fromStdString(queue.strName);
        printers += "<Printer " + name +
                    ">\nDeviceURI file:///dev/null\nState Idle\nAccepting Yes\n</Printer>\n";
        WriteFile(root + "/conf/ppd/" + QString::fromStdString(queue.strName) + ".ppd",
                  DriverFor(queue.strMakeAndModel));
    }
    WriteFile(root + "/conf/printers.conf", printers);
}

bool CPrivateCupsd::Start(std::string& error) {
    const QString root = m_root.path();
    m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_daemon.start("/usr/sbin/cupsd",
                   {"-f", "-c", root + "/conf/cupsd.conf", "-s", root + "/conf/cups-files.conf"});
    if (!m_daemon.waitForStarted(5000)) {
        error = "cupsd does not start: " + m_daemon.errorString().toStdString();
        return false;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        QTcpSocket probe;
        probe.connectToHost("127.0.0.1", static_cast<quint16>(m_nPort));
        if (probe.waitForConnected(100)) {
            return true;
        }
        if (m_daemon.state() != QProcess::Running) {
            break;
        }
        QThread::msleep(100);
    }
    QFile log(root + "/log/error_log");
    log.open(QIODevice::ReadOnly);
    error = "cupsd does not answer: " + log.readAll().toStdString();
    return false;
}

void CPrivateCupsd::Stop() {
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(5000);
        }
    }
}

std::string CPrivateCupsd::Server() const {
    return Loopback(m_nPort);
}

bool CPrivateCupsd::RunClient(const QString& program, const QStringList& arguments) {
    QProcess client;
    client.setProcessChannelMode(QProcess::ForwardedChannels);
    client.start(program, QStringList{"-h", QString::fromStdString(Server())} + arguments);
    return client.waitForFinished(10000) && client.exitStatus() == QProcess::NormalExit &&
           client.exitCode() == 0;
}

bool CPrivateCupsd::AddHeldJob(const std::string& queue) {
    return RunClient("/usr/bin/lp", {"-d", QString::fromStdString(queue), "-o", "raw", "-H", "hold",
                                     "/etc/hostname"});
}

bool CPrivateCupsd::DeleteQueue(const std::string& queue) {
    return RunClient("/usr/sbin/lpadmin", {"-x", QString::fromStdString(queue)});
}

CSilentListener::CSilentListener() : m_fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    m_nPort = BindLoopback(m_fd);
    // The kernel completes the handshakes; nobody ever accepts or answers.
    listen(m_fd, 16);
}

CSilentListener::~CSilentListener() {
    close(m_fd);
}

std::string CSilentListener::Server() const {
    return Loopback(m_nPort);
}

std::string ClosedServer() {
    return Loopback(FreePort());
}
