#include "skin/SkinFolders.h"

namespace {

QString FromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CSkinFolders::CSkinFolders(const QString& programFolder, const QString& languageFolder)
    : m_strProgramFolder(programFolder), m_strLanguageFolder(languageFolder) {
    // The program folder normally ends with a separator; one given without it must not glue
    // "BMP" onto the folder's last name.
    if (!m_strProgramFolder.endsWith(QLatin1Char('/'))) {
        m_strProgramFolder += QLatin1Char('/');
    }
}

QString CSkinFolders::CommonPicture(std::string_view name) const {
    return m_strProgramFolder + FromView(skin::kCommonFolder) + FromView(name);
}

QString CSkinFolders::LanguagePicture(std::string_view name) const {
    return m_strProgramFolder + m_strLanguageFolder + FromView(name);
}

QString CSkinFolders::ControlSkin(std::string_view name) const {
    return m_strProgramFolder + FromView(skin::kCommonFolder) + QLatin1Char('/') + FromView(name);
}
