// The main window in every language shows the texts of that language's shipped file.
#include "WindowRig.h"

#include "core/LanguageSet.h"
#include "core/messages/CMessageService.h"
#include "core/messages/EnglishStrings.h"
#include "core/messages/LanguageFile.h"
#include "skin/SkinButtonBase.h"
#include "ui/main/ControllerLayout.h"

#include <QAbstractButton>
#include <QLabel>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unordered_map>

namespace {

const std::string kShippedFolder = QUIRN_SOURCE_DIR "/data";

// The program's message service speaks one language for a scope, English again after it.
class ScopedLanguage {
public:
    explicit ScopedLanguage(const std::string& resource) {
        CMessageService::Instance().LoadLanguage(kShippedFolder, resource);
    }
    ~ScopedLanguage() { CMessageService::Instance().LoadLanguage(kShippedFolder, {}); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;
};

// The texts a language should show, read from its file (English: the compiled-in table).
std::unordered_map<int, std::string> TextsOf(const std::string& resource) {
    std::unordered_map<int, std::string> texts;
    if (resource.empty()) {
        for (const StringEntry& entry : EnglishStrings()) {
            texts[entry.id] = entry.text;
        }
        return texts;
    }
    std::ifstream in(std::filesystem::path(kShippedFolder) / "lang" /
                         (std::filesystem::path(resource).stem().string() + ".txt"),
                     std::ios::binary);
    return ReadLanguageFile(in);
}

QString Shown(QWidget* control) {
    if (const auto* skinned = qobject_cast<CSkinButtonBase*>(control)) {
        return skinned->Caption();
    }
    if (const auto* button = qobject_cast<QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    return {};
}

TEST(Languages, MainWindowShowsTheTextsOfItsLanguageFile) {
    for (const std::uint16_t langId : {1033, 1041, 1049, 3082, 1031, 1036, 2052}) {
        SCOPED_TRACE(langId);
        const CLanguageSet language(langId);
        const ScopedLanguage scoped(language.GetResourceDll());
        const auto texts = TextsOf(language.GetResourceDll());
        ASSERT_FALSE(texts.empty());

        WindowRig rig("WX8800-60", langId);
        rig.AddMediaList({"Vinyl", "KR10A (1)", 14, 40, 2, 1});
        ASSERT_EQ(rig.Open(), 0);
        int checked = 0;
        for (const ControlPlacement& place : MainWindowLayout(
                 {language.GetTextHeight(), language.GetWidthA(), language.GetWidthB()})) {
            const int textId = place.textId != 0 ? place.textId : place.captionId;
            if (textId == 0) {
                continue;
            }
            EXPECT_EQ(Shown(rig.Control(place.id)).toStdString(), texts.at(textId))
                << "control " << place.id;
            ++checked;
        }
        EXPECT_EQ(checked, 32);
        EXPECT_EQ(rig.Dlg().windowTitle().toStdString(), texts.at(2000));
    }
}

} // namespace
