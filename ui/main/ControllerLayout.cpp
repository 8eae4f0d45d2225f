#include "ui/main/ControllerLayout.h"

#include "skin/SkinKinds.h"
#include "ui/main/ControlIds.h"

namespace {

constexpr int kColumnX = 541; // right-hand button column
constexpr int kButtonWidth = 117;
constexpr int kSmallButtonHeight = 22;
constexpr int kLargeButtonHeight = 34;
constexpr int kPictureButton = 40;
constexpr int kArrow = 26;
constexpr int kRadioHeight = 16;
// The language widths were measured for Windows controls; Qt's check box indicator and label
// margins take this much more.
constexpr int kIndicator = 20;

} // namespace

namespace layout {

std::vector<QRect> PanelFrames() {
    return {
        QRect(8, 44, 324, 214),    // condition area
        QRect(338, 44, 195, 214),  // head panel
        QRect(8, 266, 372, 191),   // orientation
        QRect(388, 266, 145, 191), // registration marks
    };
}

} // namespace layout

std::vector<ControlPlacement> MainWindowLayout(const LayoutMetrics& m) {
    const int h = m.textHeight;
    auto label = [h](int id, int x, int y, int w, int textId) {
        return ControlPlacement{id, ControlKind::Label, 0, QRect(x, y, w, h), 0, textId};
    };
    auto value = [h](int id, int x, int y, int w) {
        return ControlPlacement{id, ControlKind::Value, 0, QRect(x, y, w, h), 0, 0};
    };
    auto button = [](int id, int x, int y, int skinKind, int captionId) {
        const int height =
            skinKind == skin::kind::kButtonLarge || skinKind == skin::kind::kButtonCut
                ? kLargeButtonHeight
                : kSmallButtonHeight;
        return ControlPlacement{
            id, ControlKind::PushButton, skinKind, QRect(x, y, kButtonWidth, height), captionId, 0};
    };
    auto picture = [](int id, int x, int y, int skinKind) {
        return ControlPlacement{id,       ControlKind::PushButton,
                                skinKind, QRect(x, y, kPictureButton, kPictureButton),
                                0,        0};
    };
    auto arrow = [](int id, int x, int y, int skinKind) {
        return ControlPlacement{
            id, ControlKind::ArrowButton, skinKind, QRect(x, y, kArrow, kArrow), 0, 0};
    };
    auto radio = [](int id, int x, int y, int w, int textId) {
        return ControlPlacement{id, ControlKind::Radio, 0, QRect(x, y, w, kRadioHeight), 0, textId};
    };
    auto check = [](int id, int x, int y, int w, int textId) {
        return ControlPlacement{id, ControlKind::Check, 0, QRect(x, y, w, kRadioHeight), 0, textId};
    };
    auto edit = [](int id, int x, int y) {
        return ControlPlacement{id, ControlKind::Edit, 0, QRect(x, y, 60, 19), 0, 0};
    };

    return {
        {ctl::kTitle, ControlKind::Title, 0, QRect(0, 0, layout::kClientWidth, 36), 0, 0},

        // Condition area.
        radio(ctl::kUsePlotterSettings, 18, 52, 200, str::kUsePlotterSettings),
        radio(ctl::kUseControllerSettings, 18, 71, 200, str::kUseControllerSettings),
        label(ctl::kMediaTypeLabel, 30, 95, 120, str::kMediaType),
        {ctl::kMediaType, ControlKind::Combo, skin::kind::kCombo278, QRect(30, 112, 278, 14), 0, 0},
        label(ctl::kBladeLabel, 30, 136, 56, str::kBlade),
        value(ctl::kBladeValue, 92, 136, 150),
        label(ctl::kForceLabel, 30, 158, 56, str::kForce),
        value(ctl::kForceValue, 92, 158, 50),
        label(ctl::kSpeedLabel, 30, 180, 56, str::kSpeed),
        value(ctl::kSpeedValue, 92, 180, 50),
        label(ctl::kQualityLabel, 30, 202, 56, str::kQuality),
        value(ctl::kQualityValue, 92, 202, 50),
        label(ctl::kOffsetLabel, 30, 224, 56, str::kOffset),
        value(ctl::kOffsetValue, 92, 224, 50),
        label(ctl::kTestLabel, 256, 158, 60, str::kTest),
        picture(ctl::kTestCut, 256, 176, skin::kind::kButtonTestCut),

        // Head panel.
        label(ctl::kPositionLabel, 348, 52, 120, str::kPosition),
        arrow(ctl::kArrowUp, 423, 68, skin::kind::kArrowUp),
        arrow(ctl::kArrowDown, 423, 124, skin::kind::kArrowDown),
        arrow(ctl::kArrowLeft, 395, 96, skin::kind::kArrowLeft),
        arrow(ctl::kArrowRight, 451, 96, skin::kind::kArrowRight),
        {ctl::kUseKeyboard, ControlKind::Toggle, skin::kind::kToggleKeyboard,
         QRect(377, 160, kButtonWidth, kSmallButtonHeight), str::kUseKeyboard, 0},
        label(ctl::kOriginLabel, 350, 192, 80, str::kOrigin),
        picture(ctl::kOrigin, 365, 208, skin::kind::kButtonOrigin),
        label(ctl::kCrossCutLabel, 440, 192, 80, str::kCrossCut),
        picture(ctl::kCrossCut, 455, 208, skin::kind::kButtonCrossCut),

        // Orientation panel.
        label(ctl::kDesignLabel, 18, 274, 200, str::kDesignOrientation),
        radio(ctl::kDesignPortrait, 20, 312, 16, 0),
        radio(ctl::kDesignLandscape, 128, 312, 16, 0),
        label(ctl::kMediaLabel, 18, 370, 200, str::kMediaOrientation),
        radio(ctl::kMediaRotated, 20, 408, 16, 0),
        radio(ctl::kMediaUnrotated, 128, 408, 16, 0),
        label(ctl::kPreviewLabel, 249, 400, 120, str::kPreview),

        // Registration marks.
        check(ctl::kMarks, 396, 274, m.widthA + kIndicator, str::kMarks),
        check(ctl::kSearchMarks, 396, 294, m.widthA + kIndicator, str::kSearchMarks),
        label(ctl::kDistanceLabel, 396, 320, m.widthB + kIndicator, str::kDistance),
        label(ctl::kDistanceXLabel, 396, 343, 18, str::kDistanceX),
        edit(ctl::kDistanceX, 416, 340),
        value(ctl::kDistanceXUnit, 482, 343, 40),
        label(ctl::kDistanceYLabel, 396, 367, 18, str::kDistanceY),
        edit(ctl::kDistanceY, 416, 364),
        value(ctl::kDistanceYUnit, 482, 367, 40),
        button(ctl::kMarkSettings, 402, 396, skin::kind::kButtonSmall, str::kMarkSettings),
        button(ctl::kReadMarks, 402, 424, skin::kind::kButtonSmall, str::kReadMarks),

        // Right-hand column.
        button(ctl::kListEdit, kColumnX, 52, skin::kind::kButtonSmall, str::kListEdit),
        button(ctl::kEditConditions, kColumnX, 80, skin::kind::kButtonSmall, str::kEditConditions),
        button(ctl::kImportConditions, kColumnX, 108, skin::kind::kButtonSmall,
               str::kImportConditions),
        button(ctl::kOption, kColumnX, 152, skin::kind::kButtonSmall, str::kOption),
        button(ctl::kAdvanced, kColumnX, 180, skin::kind::kButtonSmall, str::kAdvanced),
        button(ctl::kHelp, kColumnX, 224, skin::kind::kButtonSmall, str::kHelp),
        button(ctl::kAbout, kColumnX, 252, skin::kind::kButtonSmall, str::kAbout),
        button(ctl::kCancel, kColumnX, 373, skin::kind::kButtonLarge, str::kCancel),
        button(ctl::kOk, kColumnX, 415, skin::kind::kButtonLarge, str::kClose),
    };
}
