#include "ControllerRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QSettings>
#include <QThread>

const QString kQuirn = QStringLiteral(QUIRN_RUNTIME_DIR "/quirn");

namespace {

const QString kPlotterSim = QStringLiteral(QUIRN_RUNTIME_DIR "/plottersim");
constexpr int kStartTimeoutMs = 30000;
const QRgb kTitleBlue = qRgb(0, 29, 160);
// A strip of the title area, far fewer pixels than the whole title.
constexpr int kTitlePixels = 5000;
// Message boxes keep the standard window colour of Qt's style; the controller's own windows
// paint their skin instead, so this grey in quantity is a message box.
const QRgb kMessageBoxGrey = qRgb(239, 239, 239);
// The controller's message boxes show some 50000 such pixels.
constexpr int kMessageBoxPixels = 15000;

QString SettingsPath(const QString& folder) {
    return folder + "/config/Morvalin/Vireclip.conf";
}

} // namespace

std::string Query(const std::string& body) {
    return "\x1b." + body + ":";
}

std::string Command(const std::string& text) {
    return text + "\x03";
}

CControllerRun::CControllerRun() = default;

CControllerRun::~CControllerRun() {
    if (IsRunning()) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

void CControllerRun::Remember(const QString& key, const QVariant& value) {
    QSettings settings(SettingsPath(Folder()), QSettings::IniFormat);
    settings.setValue("Status/" + key, value);
}

QVariant CControllerRun::Remembered(const QString& key) const {
    const QSettings settings(SettingsPath(Folder()), QSettings::IniFormat);
    return settings.value("Status/" + key);
}

bool CControllerRun::SettingsFileExists() const {
    return QFile::exists(SettingsPath(Folder()));
}

bool CControllerRun::StartOffscreen(const Launch& launch) {
    return Start(launch, "offscreen");
}

bool CControllerRun::StartOnScreen(const Launch& launch, CVncClient& client) {
    const quint16 port = CVncClient::FreePort();
    return Start(launch, QString("vnc:size=800x600:port=%1").arg(port)) &&
           client.Connect(port, kScreenTimeoutMs);
}

bool CControllerRun::Start(const Launch& launch, const QString& platform) {
    QDir(Folder()).mkpath("runtime");
    QDir(Folder()).mkpath("config");
    QFile::setPermissions(Folder() + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", Folder() + "/runtime");
    env.insert("HOME", Folder());
    env.insert("XDG_CONFIG_HOME", Folder() + "/config");
    env.insert("QT_QPA_PLATFORM", platform);
    env.insert("LC_ALL", launch.locale);
    env.remove("QUIRN_EXIT_WHEN_READY");
    if (launch.exitWhenReady) {
        env.insert("QUIRN_EXIT_WHEN_READY", "1");
    }
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(&m_process, &QProcess::readyReadStandardError,
                     [this] { m_errors += m_process.readAllStandardError(); });
    if (launch.underSimulator) {
        // The log comes before any --model so that every plotter keeps one.
        m_process.start(kPlotterSim, QStringList{"--log", Folder() + "/wire.log"} +
                                         launch.simOptions + QStringList{"--", launch.program} +
                                         launch.arguments);
    } else {
        m_process.start(launch.program, launch.arguments);
    }
    return m_process.waitForStarted(kStartTimeoutMs);
}

int CControllerRun::ExitCode(int timeoutMs) {
    if (IsRunning() && !m_process.waitForFinished(timeoutMs)) {
        return -1;
    }
    m_errors += m_process.readAllStandardError();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

std::string CControllerRun::Wire(int plotter) const {
    QFile log(Folder() + "/wire.log" + (plotter > 0 ? QString(".%1").arg(plotter) : QString()));
    if (!log.open(QIODevice::ReadOnly)) {
        return {};
    }
    return log.readAll().toStdString();
}

bool CControllerRun::WaitForWire(const std::string& bytes, int timeoutMs) {
    return WaitForWire(
        [&bytes](const std::string& wire) { return wire.find(bytes) != std::string::npos; },
        timeoutMs);
}

bool CControllerRun::WaitForWire(const std::function<bool(const std::string&)>& done,
                                 int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done(Wire())) {
        if (timer.elapsed() > timeoutMs || !IsRunning()) {
            return done(Wire());
        }
        QThread::msleep(100);
    }
    return true;
}

namespace screen {
namespace {

int CountColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            count += (line[x] & 0xffffff) == (colour & 0xffffff);
        }
    }
    return count;
}

} // namespace

bool ShowsMainWindow(const QImage& image) {
    return CountColour(image, kTitleBlue) >= kTitlePixels;
}

bool ShowsMessageBox(const QImage& image) {
    return CountColour(image, kMessageBoxGrey) >= kMessageBoxPixels;
}

QPoint MainWindowOrigin(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) == (kTitleBlue & 0xffffff)) {
                return {x, y};
            }
        }
    }
    return {};
}

int Pixels(const QImage& image, QRgb colour) {
    return CountColour(image, colour);
}

bool ShowsAnything(const QImage& image) {
    // The screen is black where no window is.
    return CountColour(image, qRgb(0, 0, 0)) < image.width() * image.height();
}

} // namespace screen
