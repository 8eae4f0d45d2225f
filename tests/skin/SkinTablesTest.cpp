// The path rules and the kind tables, against the figures the windows are laid out with.

#include "skin/SkinFolders.h"
#include "skin/SkinKinds.h"
#include "skin/SkinPictures.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(SkinFolders, PathsAreFormedFromTheProgramFolder) {
    struct Case {
        QString program;
        QString language;
        QString common;
        QString languagePicture;
        QString control;
    };
    const Case cases[] = {
        {"/opt/quirn/", "BMP/ENG", "/opt/quirn/BMP/CMN/BG_MAIN.BMP",
         "/opt/quirn/BMP/ENG/TB_LENGTH_THICKNESS.BMP", "/opt/quirn/BMP/CMN/BUTTON_1_UP.BMP"},
        {"/opt/quirn", "BMP/JPN", "/opt/quirn/BMP/CMN/BG_MAIN.BMP",
         "/opt/quirn/BMP/JPN/TB_LENGTH_THICKNESS.BMP", "/opt/quirn/BMP/CMN/BUTTON_1_UP.BMP"},
        {"/", "BMP/GER", "/BMP/CMN/BG_MAIN.BMP", "/BMP/GER/TB_LENGTH_THICKNESS.BMP",
         "/BMP/CMN/BUTTON_1_UP.BMP"},
    };
    for (const Case& c : cases) {
        const CSkinFolders folders(c.program, c.language);
        EXPECT_EQ(folders.CommonPicture("/BG_MAIN.BMP"), c.common) << c.program.toStdString();
        EXPECT_EQ(folders.LanguagePicture("/TB_LENGTH_THICKNESS.BMP"), c.languagePicture);
        EXPECT_EQ(folders.ControlSkin("BUTTON_1_UP.BMP"), c.control);
    }
}

TEST(SkinKinds, SizesAndPicturesOfEveryKind) {
    struct Case {
        const char* table;
        int kind;
        int width;
        int height;
        std::vector<std::string_view> pictures;
    };
    auto row = [](const auto& kind) {
        return std::vector<std::string_view>(kind.pictures.begin(), kind.pictures.end());
    };
    const std::vector<Case> expected = {
        {"button",
         0,
         117,
         22,
         {"BUTTON_1_UP.BMP", "BUTTON_1_UP.BMP", "BUTTON_1_DOWN.BMP", "BUTTON_1_UP.BMP"}},
        {"button",
         1,
         117,
         34,
         {"BUTTON_2_UP.BMP", "BUTTON_2_UP.BMP", "BUTTON_2_DOWN.BMP", "BUTTON_2_UP.BMP"}},
        {"button",
         2,
         117,
         34,
         {"BUTTON_3_UP.BMP", "BUTTON_3_UP.BMP", "BUTTON_3_DOWN.BMP", "BUTTON_3_UP.BMP"}},
        {"button",
         3,
         40,
         40,
         {"TEST_CUT_UP.BMP", "TEST_CUT_UP.BMP", "TEST_CUT_DOWN.BMP", "TEST_CUT_DIS.BMP"}},
        {"button",
         4,
         117,
         40,
         {"TEST_CUT_5_UP.BMP", "TEST_CUT_5_UP.BMP", "TEST_CUT_5_DOWN.BMP", "TEST_CUT_5_DIS.BMP"}},
        {"button",
         5,
         40,
         40,
         {"ORIGIN_UP.BMP", "ORIGIN_UP.BMP", "ORIGIN_DOWN.BMP", "ORIGIN_UP.BMP"}},
        {"button",
         6,
         40,
         40,
         {"CROSS_CUT_UP.BMP", "CROSS_CUT_UP.BMP", "CROSS_CUT_DOWN.BMP", "CROSS_CUT_DIS.BMP"}},
        {"arrow",
         0,
         26,
         26,
         {"ARW_UP_UP.BMP", "ARW_UP_DOWN.BMP", "ARW_UP_DOWN.BMP", "ARW_UP_UP.BMP"}},
        {"arrow",
         1,
         26,
         26,
         {"ARW_DOWN_UP.BMP", "ARW_DOWN_DOWN.BMP", "ARW_DOWN_DOWN.BMP", "ARW_DOWN_UP.BMP"}},
        {"arrow",
         2,
         26,
         26,
         {"ARW_LEFT_UP.BMP", "ARW_LEFT_DOWN.BMP", "ARW_LEFT_DOWN.BMP", "ARW_LEFT_UP.BMP"}},
        {"arrow",
         3,
         26,
         26,
         {"ARW_RIGHT_UP.BMP", "ARW_RIGHT_DOWN.BMP", "ARW_RIGHT_DOWN.BMP", "ARW_RIGHT_UP.BMP"}},
        {"toggle",
         0,
         117,
         22,
         {"BUTTON_1_UP.BMP", "BUTTON_1_UP.BMP", "BUTTON_1_DOWN.BMP", "BUTTON_1_UP.BMP",
          "BUTTON_1_DOWN.BMP", "BUTTON_1_DOWN.BMP", "BUTTON_1_DOWN.BMP"}},
        {"combo", 0, 65, 14, {"COMBO_65x14_UP.BMP", "COMBO_65x14_DOWN.BMP", "COMBO_65x14_DIS.BMP"}},
        {"combo", 1, 84, 14, {"COMBO_84x14_UP.BMP", "COMBO_84x14_DOWN.BMP", "COMBO_84x14_DIS.BMP"}},
        {"combo",
         2,
         105,
         14,
         {"COMBO_105x14_UP.BMP", "COMBO_105x14_DOWN.BMP", "COMBO_105x14_DIS.BMP"}},
        {"combo",
         3,
         278,
         14,
         {"COMBO_278x14_UP.BMP", "COMBO_278x14_DOWN.BMP", "COMBO_278x14_DIS.BMP"}},
        {"slider",
         0,
         182,
         17,
         {"SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_L_DOWN.BMP", "SCRL_R_DOWN.BMP",
          "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_DIS.BMP",
          "SCRL_KNOB.BMP"}},
    };
    for (const Case& c : expected) {
        SCOPED_TRACE(std::string(c.table) + " kind " + std::to_string(c.kind));
        const std::string table = c.table;
        const auto k = static_cast<std::size_t>(c.kind);
        int width = 0, height = 0;
        std::vector<std::string_view> pictures;
        if (table == "button") {
            width = skin::kButtonKinds.at(k).width;
            height = skin::kButtonKinds.at(k).height;
            pictures = row(skin::kButtonKinds.at(k));
        } else if (table == "arrow") {
            width = skin::kArrowKinds.at(k).width;
            height = skin::kArrowKinds.at(k).height;
            pictures = row(skin::kArrowKinds.at(k));
        } else if (table == "toggle") {
            width = skin::kToggleKinds.at(k).width;
            height = skin::kToggleKinds.at(k).height;
            pictures = row(skin::kToggleKinds.at(k));
        } else if (table == "combo") {
            width = skin::kComboKinds.at(k).width;
            height = skin::kComboKinds.at(k).height;
            pictures = row(skin::kComboKinds.at(k));
        } else {
            width = skin::kSliderKinds.at(k).width;
            height = skin::kSliderKinds.at(k).height;
            pictures = row(skin::kSliderKinds.at(k));
        }
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(pictures, c.pictures);
    }
    EXPECT_EQ(skin::kButtonKinds.size(), 7u);
    EXPECT_EQ(skin::kArrowKinds.size(), 4u);
    EXPECT_EQ(skin::kComboKinds.size(), 4u);
}

TEST(SkinPictures, OrientationAndPreviewNames) {
    struct Case {
        int design;
        int media;
        bool marks;
        bool mirror;
        const char* designName;
        const char* mediaName;
        const char* preview;
    };
    const Case cases[] = {
        {0, 0, false, false, "/IMG_LANDSCAPE.BMP", "/RT_OFF_LANDSCAPE.BMP", "/PT_LS_OFF.BMP"},
        {1, 1, true, true, "/IMG_PORTRAIT_TB.BMP", "/RT_ON_PORTRAIT_TB.BMP", "/PT_PR_ON_TB_MR.BMP"},
        {0, 1, false, true, "/IMG_LANDSCAPE.BMP", "/RT_ON_LANDSCAPE.BMP", "/PT_LS_ON_MR.BMP"},
        {1, 0, true, false, "/IMG_PORTRAIT_TB.BMP", "/RT_OFF_PORTRAIT_TB.BMP", "/PT_PR_OFF_TB.BMP"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(skin::DesignPictureName(c.design, c.marks), c.designName);
        EXPECT_EQ(skin::MediaPictureName(c.media, c.design, c.marks), c.mediaName);
        EXPECT_EQ(skin::PreviewPictureName(c.design, c.media, c.marks, c.mirror), c.preview);
    }
    EXPECT_EQ(skin::MarkAreaPictureName(0, 0), "/TB_AREA_RT_OFF_INSIDE.BMP");
    EXPECT_EQ(skin::MarkAreaPictureName(1, 0), "/TB_AREA_RT_ON_INSIDE.BMP");
    EXPECT_EQ(skin::MarkAreaPictureName(0, 1), "/TB_AREA_RT_OFF_OUTSIDE.BMP");
    EXPECT_EQ(skin::MarkAreaPictureName(1, 1), "/TB_AREA_RT_ON_OUTSIDE.BMP");
}

TEST(SkinPictures, ListHoldsEveryPictureOnceInItsFolder) {
    std::set<std::string> names;
    int previews = 0;
    for (const skin::PictureFile& file : skin::AllPictures()) {
        EXPECT_TRUE(names.insert(file.name).second) << "listed twice: " << file.name;
        EXPECT_EQ(file.name.front(), '/') << file.name;
        EXPECT_GT(file.width, 0);
        EXPECT_GT(file.height, 0);
        // Only the picture with words lies in the language folders.
        EXPECT_EQ(file.folder == skin::PictureFolder::Language,
                  file.name == skin::kMarkLengthThickness)
            << file.name;
        previews += file.name.starts_with("/PT_") ? 1 : 0;
    }
    EXPECT_EQ(previews, 16);
    for (const char* name :
         {"/BG_MAIN.BMP", "/CUT_ALL_DIS.BMP", "/CUT_PNH40-TQ20_BIG.BMP", "/CUT_OTHER.BMP",
          "/TB_INSIDE.BMP", "/TB_OUTSIDE.BMP", "/TB_AREA_DISABLE.BMP", "/IMG_PORTRAIT_TB.BMP"}) {
        EXPECT_EQ(names.count(name), 1u) << name;
    }
    // 2 + 9 blade pairs + 4 designs + 8 media + 16 previews + 7 mark pictures + 1 with words.
    EXPECT_EQ(names.size(), 56u);
}

} // namespace
