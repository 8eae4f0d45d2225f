// The settings saved at closing, with the saving process killed (SIGKILL) at random points:
// the settings file holds the old or the new settings whole, they load, and the temporary
// files of killed saves do not pile up.
#include "core/ControllerSettings.h"
#include "core/SettingsStore.h"
#include "tests/common/KillDuringWrites.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Puts the settings below a folder of its own for one scope.
class CScopedSettingsFolder {
public:
    explicit CScopedSettingsFolder(const QString& folder)
        : m_previous(QFileInfo(QSettings("Morvalin", "Vireclip").fileName()).dir()) {
        m_previous.cdUp(); // above the organisation's folder
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    }
    ~CScopedSettingsFolder() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_previous.path());
    }
    CScopedSettingsFolder(const CScopedSettingsFolder&) = delete;
    CScopedSettingsFolder& operator=(const CScopedSettingsFolder&) = delete;

private:
    QDir m_previous;
};

TEST(SettingsStoreCrash, KilledSavesLeaveWholeSettingsThatLoad) {
    const QTemporaryDir scratch(QString::fromStdString(KillTestFolderBase() / "quirn-XXXXXX"));
    const CScopedSettingsFolder settingsFolder(scratch.path());
    const QString path = QSettings("Morvalin", "Vireclip").fileName();
    const QDir folder = QFileInfo(path).dir();
    CControllerSettings saved[2]{CControllerSettings(true), CControllerSettings(true)};
    saved[0].m_condition.m_strName = "Vinyl";
    saved[1].m_condition.m_strName = "Heat Transfer Film";
    saved[1].m_nUnitType = 1;
    saved[1].m_nTomboDisX = 300500;
    saved[1].m_nTmbLength = 15000;
    const auto save = [&](int i) { CSettingsStore().Save(saved[i % 2]); };
    const auto persisted = [](const CControllerSettings& s) {
        return std::tuple(s.m_nUnitType, s.m_condition.m_strName, s.m_nTomboDisX, s.m_nTmbLength);
    };
    save(0);
    const QByteArray oldBytes = FileBytes(path);
    save(1);
    const QByteArray newBytes = FileBytes(path);
    ASSERT_NE(oldBytes, newBytes);

    const KillTally tally = KillDuringWrites(1000, save, [&] {
        const QByteArray bytes = FileBytes(path);
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << bytes.toStdString();
        CControllerSettings loaded(true);
        CSettingsStore().Load(loaded);
        ASSERT_EQ(persisted(loaded), persisted(saved[bytes == oldBytes ? 0 : 1]));
        // Temporary files of killed saves do not pile up: besides the file and Qt's lock files
        // (whose stale ones the next save takes over) at most the one that this kill left,
        // which the next save removes.
        int leftovers = 0;
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
            const bool own = name == "Vireclip.conf" || name.startsWith("Vireclip.conf.lock");
            leftovers += own ? 0 : 1;
            ASSERT_TRUE(own || name.size() == QString("Vireclip.conf.XXXXXX").size())
                << name.toStdString();
        }
        ASSERT_LE(leftovers, 1);
        ASSERT_LE(folder.entryList(QDir::Files | QDir::Hidden).size(), 4);
    });
    EXPECT_EQ(tally.kills, 1000);
    EXPECT_GE(tally.insideWrite, 100);
    QFile(folder.filePath("Vireclip.conf.Ab12Cd")).open(QIODevice::WriteOnly); // as Qt leaves it
    save(1);
    save(0);
    EXPECT_EQ(FileBytes(path), oldBytes); // saving still works after the kills
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        EXPECT_TRUE(name == "Vireclip.conf" || name.startsWith("Vireclip.conf.lock"))
            << name.toStdString();
    }
}

} // namespace
