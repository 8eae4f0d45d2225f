#include "ControllerRun.h"

#include "core/LanguageSet.h"
#include "skin/SkinKinds.h"
#include "ui/main/ControllerLayout.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QSettings>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

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
// The title area runs across the whole main window; no other blue line is half as long.
constexpr int kTitleRun = layout::kClientWidth / 2;
// The skin outlines every raised or pressed button face in this dark grey.
const QRgb kButtonOutline = qRgb(72, 74, 78);
// The controller runs under the C locale: English texts and metrics.
constexpr std::uint16_t kEnglish = 1033;

QString SettingsPath(const QString& folder) {
    return folder + "/config/Morvalin/Vireclip.conf";
}

bool CopyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

} // namespace

QString CopyProgramFolder(const QString& parent, bool withMediaLists) {
    const QString folder = parent + "/program";
    const QString built = QStringLiteral(QUIRN_RUNTIME_DIR);
    if (!QDir().mkpath(folder) || !QFile::copy(built + "/quirn", folder + "/quirn") ||
        !QFile::copy(built + "/libzefralink.so", folder + "/libzefralink.so") ||
        !CopyTree(built + "/BMP", folder + "/BMP") ||
        !CopyTree(built + "/icons", folder + "/icons") ||
        (withMediaLists && !CopyTree(built + "/MEDIALIST", folder + "/MEDIALIST"))) {
        return {};
    }
    return folder + "/quirn";
}

std::string Query(const std::string& body) {
    return "\x1b." + body + ":";
}

std::string Command(const std::string& text) {
    return text + "\x03";
}

CControllerRun::CControllerRun() {
    QObject::connect(&m_process, &QProcess::readyReadStandardError,
                     [this] { m_errors += m_process.readAllStandardError(); });
}

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
    env.insert("XDG_DATA_HOME", Folder() + "/data");
    env.insert("QT_QPA_PLATFORM", platform);
    env.insert("LC_ALL", launch.locale);
    env.remove("QUIRN_EXIT_WHEN_READY");
    if (launch.exitWhenReady) {
        env.insert("QUIRN_EXIT_WHEN_READY", "1");
    }
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_bUnderSimulator = launch.underSimulator;
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

bool CControllerRun::SignalSimulator(int signal) {
    return m_bUnderSimulator && IsRunning() &&
           ::kill(static_cast<pid_t>(m_process.processId()), signal) == 0;
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

bool ShowsMainWindowAlone(const QImage& image) {
    return ShowsMainWindow(image) && !ShowsMessageBox(image);
}

bool ShowsAnything(const QImage& image) {
    // The screen is black where no window is.
    return CountColour(image, qRgb(0, 0, 0)) < image.width() * image.height();
}

QRect MainWindowControl(const QImage& image, int id) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0, run = 0; x < image.width(); ++x) {
            run = (line[x] & 0xffffff) == (kTitleBlue & 0xffffff) ? run + 1 : 0;
            if (run < kTitleRun) {
                continue;
            }
            const QPoint origin(x + 1 - run, y);
            const CLanguageSet english(kEnglish);
            for (const ControlPlacement& control : MainWindowLayout(
                     {english.GetTextHeight(), english.GetWidthA(), english.GetWidthB()})) {
                if (control.id == id) {
                    return control.rect.translated(origin);
                }
            }
            return {};
        }
    }
    return {};
}

std::vector<QRect> TextButtons(const QImage& image) {
    const skin::ButtonKind& face = skin::kButtonKinds[skin::kind::kButtonSmall];
    auto outline = [&image](int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
               (image.pixel(x, y) & 0xffffff) == (kButtonOutline & 0xffffff);
    };
    // A face's outline is a closed rectangle of exactly its kind's size.
    auto isFace = [&](int left, int top) {
        const int right = left + face.width - 1;
        const int bottom = top + face.height - 1;
        if (outline(left - 1, top) || outline(right + 1, top) || outline(left, top - 1) ||
            outline(left, bottom + 1)) {
            return false;
        }
        for (int x = left; x <= right; ++x) {
            if (!outline(x, top) || !outline(x, bottom)) {
                return false;
            }
        }
        for (int y = top; y <= bottom; ++y) {
            if (!outline(left, y) || !outline(right, y)) {
                return false;
            }
        }
        return true;
    };
    std::vector<QRect> buttons;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (outline(x, y) && isFace(x, y)) {
                buttons.emplace_back(x, y, face.width, face.height);
            }
        }
    }
    return buttons;
}

} // namespace screen

namespace {

std::vector<QRect> NewButtons(const std::vector<QRect>& before, const QImage& now) {
    std::vector<QRect> added;
    for (const QRect& button : screen::TextButtons(now)) {
        if (std::find(before.begin(), before.end(), button) == before.end()) {
            added.push_back(button);
        }
    }
    return added;
}

} // namespace

std::vector<QRect> ClickForWindow(CVncClient& client, QPoint at, std::size_t count) {
    const QImage before = client.Capture();
    if (before.isNull() || !client.Click(at)) {
        return {};
    }
    const std::vector<QRect> old = screen::TextButtons(before);
    std::vector<QRect> added;
    client.WaitForScreen(
        [&](const QImage& now) {
            added = NewButtons(old, now);
            return added.size() == count;
        },
        CControllerRun::kScreenTimeoutMs);
    return added.size() == count ? added : std::vector<QRect>{};
}

bool WaitForWindowGone(CVncClient& client, const QImage& before) {
    const std::vector<QRect> old = screen::TextButtons(before);
    return client.WaitForScreen([&](const QImage& now) { return NewButtons(old, now).empty(); },
                                CControllerRun::kScreenTimeoutMs);
}

void KeepScreenshot(const QImage& shown, const QRect& window, const char* name) {
    const QString folder = qEnvironmentVariable("QUIRN_SCREENSHOTS");
    if (folder.isEmpty() || name == nullptr) {
        return;
    }
    QDir().mkpath(folder);
    if (!shown.copy(window).save(folder + "/" + name + ".png")) {
        ADD_FAILURE() << "cannot keep " << name;
    }
}
