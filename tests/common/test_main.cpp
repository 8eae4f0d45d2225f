// Shared main of every test binary: test discovery runs the binaries without CTest's
// environment, so each one sets up a private, display-free Qt environment itself.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <clocale>
#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtimeDir; // created with mode 0700, as XDG_RUNTIME_DIR must be
    if (!runtimeDir.isValid()) {
        return 2;
    }
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);

    QApplication app(argc, argv);
    setlocale(LC_NUMERIC, "C");

    // Settings written by tests land in the private folder, never in the user's own.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       runtimeDir.path() + "/settings");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, runtimeDir.path() + "/settings");

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
