#include "core/SettingsStore.h"

#include "core/ControllerSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <climits>
#include <string>

namespace {

constexpr const char* kGroup = "Status";

struct IntKey {
    const char* key;
    int min;
    int max;
};

// Keys in the order in which they are read and written, with the values each field can hold.
constexpr IntKey kUnitType{"UnitType", 0, 1};
constexpr IntKey kCutCondSetting{"CutCondSetting", 0, 1};
constexpr const char* kMediaListName = "MediaListName";
constexpr IntKey kImageType{"ImageType", 0, 1};
constexpr IntKey kTomboRead{"TomboRead", 0, 1};
constexpr IntKey kTomboAuto{"TomboAuto", 0, 1};
constexpr IntKey kTomboDisX{"TomboDisX", 0, INT_MAX};
constexpr IntKey kTomboDisY{"TomboDisY", 0, INT_MAX};
constexpr IntKey kTmbReadType{"TmbReadType", 0, 3};
constexpr IntKey kTmbType{"TmbType", 0, 1};
constexpr IntKey kTmbStep{"TmbStep", 0, INT_MAX};
constexpr IntKey kTmbLength{"TmbLength", 0, INT_MAX};
constexpr IntKey kTmbThickness{"TmbThickness", 0, INT_MAX};

void ReadInt(const QSettings& settings, const IntKey& key, int& field) {
    const QVariant value = settings.value(key.key);
    if (!value.isValid() || value.typeId() == QMetaType::QStringList) {
        return;
    }
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (ok && number >= key.min && number <= key.max) {
        field = static_cast<int>(number);
    }
}

bool IsUtf8(const std::string& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder(QByteArrayView(bytes.data(), bytes.size()));
    return !decoder.hasError();
}

// Names are byte strings. Text in UTF-8 is stored as readable text; any other bytes are kept
// as a byte array so that they come back unchanged.
QVariant StoredName(const std::string& name) {
    if (IsUtf8(name)) {
        return QString::fromStdString(name);
    }
    return QByteArray(name.data(), static_cast<qsizetype>(name.size()));
}

void ReadName(const QSettings& settings, std::string& field) {
    const QVariant value = settings.value(kMediaListName);
    if (value.typeId() == QMetaType::QString) {
        field = value.toString().toStdString();
    } else if (value.typeId() == QMetaType::QByteArray) {
        field = value.toByteArray().toStdString();
    }
}

// Qt writes the settings through a temporary file "<file>.XXXXXX" that it links and renames
// into place; a save killed between the two leaves it behind. Only one controller runs, so
// such a file at the next save belongs to a save that died.
void RemoveLeftoversOfKilledSaves(const QString& settingsFile) {
    const QFileInfo file(settingsFile);
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(file.fileName()) + R"(\.[A-Za-z0-9]{6})"));
    QDir folder = file.dir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (leftover.match(name).hasMatch()) {
            folder.remove(name);
        }
    }
}

} // namespace

CSettingsStore::CSettingsStore() : m_settings("Morvalin", "Vireclip") {}

void CSettingsStore::Load(CControllerSettings& settings) {
    m_settings.beginGroup(kGroup);
    ReadInt(m_settings, kUnitType, settings.m_nUnitType);
    ReadInt(m_settings, kCutCondSetting, settings.m_nCutCondSetting);
    ReadName(m_settings, settings.m_condition.m_strName);
    ReadInt(m_settings, kImageType, settings.m_nImageType);
    ReadInt(m_settings, kTomboRead, settings.m_bTomboRead);
    ReadInt(m_settings, kTomboAuto, settings.m_bTomboAuto);
    ReadInt(m_settings, kTomboDisX, settings.m_nTomboDisX);
    ReadInt(m_settings, kTomboDisY, settings.m_nTomboDisY);
    ReadInt(m_settings, kTmbReadType, settings.m_nTmbReadType);
    ReadInt(m_settings, kTmbType, settings.m_nTmbType);
    ReadInt(m_settings, kTmbStep, settings.m_nTmbStep);
    ReadInt(m_settings, kTmbLength, settings.m_nTmbLength);
    ReadInt(m_settings, kTmbThickness, settings.m_nTmbThickness);
    m_settings.endGroup();
}

void CSettingsStore::Save(const CControllerSettings& settings) {
    RemoveLeftoversOfKilledSaves(m_settings.fileName());
    m_settings.beginGroup(kGroup);
    m_settings.setValue(kUnitType.key, settings.m_nUnitType);
    m_settings.setValue(kCutCondSetting.key, settings.m_nCutCondSetting);
    m_settings.setValue(kMediaListName, StoredName(settings.m_condition.m_strName));
    m_settings.setValue(kImageType.key, settings.m_nImageType);
    m_settings.setValue(kTomboRead.key, settings.m_bTomboRead);
    m_settings.setValue(kTomboAuto.key, settings.m_bTomboAuto);
    m_settings.setValue(kTomboDisX.key, settings.m_nTomboDisX);
    m_settings.setValue(kTomboDisY.key, settings.m_nTomboDisY);
    m_settings.setValue(kTmbReadType.key, settings.m_nTmbReadType);
    m_settings.setValue(kTmbType.key, settings.m_nTmbType);
    m_settings.setValue(kTmbStep.key, settings.m_nTmbStep);
    m_settings.setValue(kTmbLength.key, settings.m_nTmbLength);
    m_settings.setValue(kTmbThickness.key, settings.m_nTmbThickness);
    m_settings.endGroup();
    m_settings.sync();
}
