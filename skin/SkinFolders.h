#pragma once

// Where skin files lie: below the program folder, the common folder "BMP/CMN" holds every
// control skin and most pictures; the language's bitmap folder ("BMP/ENG" …) holds the
// pictures that contain text.

#include <QString>

#include <array>
#include <string_view>

namespace skin {

inline constexpr std::string_view kCommonFolder = "BMP/CMN";
// Every language's bitmap folder, in language-index order (English first).
inline constexpr std::array<std::string_view, 7> kLanguageFolders{
    "BMP/ENG", "BMP/JPN", "BMP/RUS", "BMP/SPA", "BMP/GER", "BMP/FRE", "BMP/CHI"};

} // namespace skin

class CSkinFolders {
public:
    // programFolder: the folder holding the program, with or without its trailing separator;
    // languageFolder: the language's bitmap folder relative to it, e.g. "BMP/ENG".
    CSkinFolders(const QString& programFolder, const QString& languageFolder);

    const QString& ProgramFolder() const { return m_strProgramFolder; }
    const QString& LanguageFolder() const { return m_strLanguageFolder; }

    // A picture of the common folder; the name carries its own leading separator ("/BG_MAIN.BMP").
    QString CommonPicture(std::string_view name) const;
    // A picture of the language's folder, named like CommonPicture's.
    QString LanguagePicture(std::string_view name) const;
    // A control skin; the name has no leading separator ("BUTTON_1_UP.BMP").
    QString ControlSkin(std::string_view name) const;

private:
    QString m_strProgramFolder; // always ends with '/'
    QString m_strLanguageFolder;
};
