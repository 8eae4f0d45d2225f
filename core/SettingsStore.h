#pragma once

#include <QSettings>

class CControllerSettings;

// Reads and writes the remembered settings under Morvalin/Vireclip, group "Status". A value
// that is missing or unusable (not a number, outside what the field can hold) takes its
// default, so a damaged store never reaches the windows; the stored text stays until the
// next save replaces it.
class CSettingsStore {
public:
    CSettingsStore();

    // Defaults are those of a fresh record, except the unit, whose default is the value the
    // record holds.
    void Load(CControllerSettings& settings);
    void Save(const CControllerSettings& settings);

private:
    QSettings m_settings;
};
