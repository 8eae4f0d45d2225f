#pragma once

// Every skinned control kind: the pixel size the control is given and the skin file drawn
// in each of its states (files of the common skin folder, named without a leading
// separator). Pure data, shared by the controls, the windows and the bitmap generator.

#include <array>
#include <cstddef>
#include <string_view>

namespace skin {

template <std::size_t N> struct SkinKind {
    int width;
    int height;
    std::array<std::string_view, N> pictures; // indexed by the control's state
};

// Push buttons: 0 released, 1 pressed with the pointer outside, 2 pressed inside, 3 disabled.
inline constexpr std::size_t kButtonStates = 4;
using ButtonKind = SkinKind<kButtonStates>;

inline constexpr std::array<ButtonKind, 7> kButtonKinds{{
    {117, 22, {"BUTTON_1_UP.BMP", "BUTTON_1_UP.BMP", "BUTTON_1_DOWN.BMP", "BUTTON_1_UP.BMP"}},
    {117, 34, {"BUTTON_2_UP.BMP", "BUTTON_2_UP.BMP", "BUTTON_2_DOWN.BMP", "BUTTON_2_UP.BMP"}},
    {117, 34, {"BUTTON_3_UP.BMP", "BUTTON_3_UP.BMP", "BUTTON_3_DOWN.BMP", "BUTTON_3_UP.BMP"}},
    {40, 40, {"TEST_CUT_UP.BMP", "TEST_CUT_UP.BMP", "TEST_CUT_DOWN.BMP", "TEST_CUT_DIS.BMP"}},
    {117,
     40,
     {"TEST_CUT_5_UP.BMP", "TEST_CUT_5_UP.BMP", "TEST_CUT_5_DOWN.BMP", "TEST_CUT_5_DIS.BMP"}},
    {40, 40, {"ORIGIN_UP.BMP", "ORIGIN_UP.BMP", "ORIGIN_DOWN.BMP", "ORIGIN_UP.BMP"}},
    {40, 40, {"CROSS_CUT_UP.BMP", "CROSS_CUT_UP.BMP", "CROSS_CUT_DOWN.BMP", "CROSS_CUT_DIS.BMP"}},
}};

// Arrow buttons (the jog arrows): a held arrow looks pressed also with the pointer outside.
inline constexpr std::array<ButtonKind, 4> kArrowKinds{{
    {26, 26, {"ARW_UP_UP.BMP", "ARW_UP_DOWN.BMP", "ARW_UP_DOWN.BMP", "ARW_UP_UP.BMP"}},
    {26, 26, {"ARW_DOWN_UP.BMP", "ARW_DOWN_DOWN.BMP", "ARW_DOWN_DOWN.BMP", "ARW_DOWN_UP.BMP"}},
    {26, 26, {"ARW_LEFT_UP.BMP", "ARW_LEFT_DOWN.BMP", "ARW_LEFT_DOWN.BMP", "ARW_LEFT_UP.BMP"}},
    {26, 26, {"ARW_RIGHT_UP.BMP", "ARW_RIGHT_DOWN.BMP", "ARW_RIGHT_DOWN.BMP", "ARW_RIGHT_UP.BMP"}},
}};

// The "Use Keyboard" toggle: 0 off, 1 off pressed outside, 2 off pressed inside, 3 disabled,
// 4 on, 5 on pressed outside, 6 on pressed inside.
inline constexpr std::size_t kToggleStates = 7;
using ToggleKind = SkinKind<kToggleStates>;
inline constexpr std::array<ToggleKind, 1> kToggleKinds{{
    {117,
     22,
     {"BUTTON_1_UP.BMP", "BUTTON_1_UP.BMP", "BUTTON_1_DOWN.BMP", "BUTTON_1_UP.BMP",
      "BUTTON_1_DOWN.BMP", "BUTTON_1_DOWN.BMP", "BUTTON_1_DOWN.BMP"}},
}};

// Combo boxes: 0 normal, 1 pressed or dropped, 2 disabled. The height is the closed face's.
inline constexpr std::size_t kComboStates = 3;
using ComboKind = SkinKind<kComboStates>;
inline constexpr std::array<ComboKind, 4> kComboKinds{{
    {65, 14, {"COMBO_65x14_UP.BMP", "COMBO_65x14_DOWN.BMP", "COMBO_65x14_DIS.BMP"}},
    {84, 14, {"COMBO_84x14_UP.BMP", "COMBO_84x14_DOWN.BMP", "COMBO_84x14_DIS.BMP"}},
    {105, 14, {"COMBO_105x14_UP.BMP", "COMBO_105x14_DOWN.BMP", "COMBO_105x14_DIS.BMP"}},
    {278, 14, {"COMBO_278x14_UP.BMP", "COMBO_278x14_DOWN.BMP", "COMBO_278x14_DIS.BMP"}},
}};

// The slider: pictures 0..10 by state, 11 the knob.
inline constexpr std::size_t kSliderPictures = 12;
inline constexpr std::size_t kSliderKnobPicture = 11;
using SliderKind = SkinKind<kSliderPictures>;
inline constexpr std::array<SliderKind, 1> kSliderKinds{{
    {182,
     17,
     {"SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_L_DOWN.BMP", "SCRL_R_DOWN.BMP",
      "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_UP.BMP", "SCRL_DIS.BMP",
      "SCRL_KNOB.BMP"}},
}};

// The kinds by name, as the windows choose them: indexes into the tables above.
namespace kind {
inline constexpr int kButtonSmall = 0;
inline constexpr int kButtonLarge = 1;
inline constexpr int kButtonCut = 2; // the large button's other picture, for "Cut"
inline constexpr int kButtonTestCut = 3;
inline constexpr int kButtonTestCutFive = 4;
inline constexpr int kButtonOrigin = 5;
inline constexpr int kButtonCrossCut = 6;
inline constexpr int kArrowUp = 0;
inline constexpr int kArrowDown = 1;
inline constexpr int kArrowLeft = 2;
inline constexpr int kArrowRight = 3;
inline constexpr int kToggleKeyboard = 0;
inline constexpr int kCombo65 = 0;
inline constexpr int kCombo84 = 1;
inline constexpr int kCombo105 = 2;
inline constexpr int kCombo278 = 3;
inline constexpr int kSliderCondition = 0;
} // namespace kind

} // namespace skin
