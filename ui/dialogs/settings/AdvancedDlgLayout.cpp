#include "ui/dialogs/settings/AdvancedDlgLayout.h"

#include <algorithm>

namespace advlayout {

namespace {

constexpr int kStringOk = 2101;
constexpr int kStringCancel = 2014;
constexpr int kStringCommand = 2603;
constexpr int kStringFanPower = 2871;
constexpr int kStringMirror = 2872;
constexpr int kStringDistanceAdjust = 2873;
constexpr int kStringTangential = 2874;
constexpr int kStringPageLength = 2875;
constexpr int kStringOffsetAngle = 2876;
constexpr int kStringDegrees = 2877;
constexpr int kStringInitialDownForce = 2878;
constexpr int kStringStepPass = 2879;
constexpr int kStringPenUpSpeed = 2880;
constexpr int kStringAutoPreFeed = 2881;
constexpr int kStringFeed = 2882;
constexpr int kStringNormal = 2883;
constexpr int kStringWeak = 2884;
constexpr int kStringOff = 2885;
constexpr int kStringOn = 2886;
constexpr int kStringL = 2887;
constexpr int kStringW = 2888;
constexpr int kStringMode1 = 2889;
constexpr int kStringMode2 = 2890;
constexpr int kStringStart = 2891;
constexpr int kStringEnd = 2892;
constexpr int kNoText = 0;        // edits, combo boxes, unit labels and the percent signs
constexpr int kComboPenUp = 0;    // 65 x 14
constexpr int kComboSlots = 2;    // 105 x 14
constexpr int kButtonWidth = 117; // push button kind 0
constexpr int kButtonHeight = 22;

} // namespace

std::vector<Placement> Controls(int templateId, int labelWidth) {
    using namespace advctl;
    // The feed length follows the check box, whose width the language sets.
    const int feedX = 16 + labelWidth + 6;
    std::vector<Placement> controls = {
        {kFanGroup, Kind::Group, {300, 8, 109, 66}, kStringFanPower},
        {kMirrorGroup, Kind::Group, {300, 80, 109, 66}, kStringMirror},
        {kDistanceGroup, Kind::Group, {8, 176, 401, 72}, kStringDistanceAdjust},
        {kTangentialGroup, Kind::Group, {8, 256, 401, 100}, kStringTangential},

        {kPageLengthLabel, Kind::Label, {16, 16, 120, 20}, kStringPageLength},
        {kPageLength, Kind::Edit, {140, 16, 56, 20}, kNoText},
        {kPageLengthUnit, Kind::Label, {200, 16, 60, 20}, kNoText},
        {kOffsetAngleLabel, Kind::Label, {16, 42, 120, 20}, kStringOffsetAngle},
        {kOffsetAngle, Kind::Edit, {140, 42, 56, 20}, kNoText},
        {kDegrees, Kind::Label, {200, 42, 60, 20}, kStringDegrees},
        {kInitialDownForceLabel, Kind::Label, {16, 68, 120, 20}, kStringInitialDownForce},
        {kInitialDownForce, Kind::Edit, {140, 68, 56, 20}, kNoText},
        {kStepPassLabel, Kind::Label, {16, 94, 120, 20}, kStringStepPass},
        {kStepPass, Kind::Edit, {140, 94, 56, 20}, kNoText},
        {kPenUpSpeedLabel, Kind::Label, {16, 120, 120, 20}, kStringPenUpSpeed},
        {kPenUpSpeed, Kind::Combo, {140, 123, 65, 14}, kNoText, kComboPenUp},
        {kAutoPreFeed, Kind::Check, {16, 146, labelWidth, 20}, kStringAutoPreFeed},
        {kFeedLabel, Kind::Label, {feedX, 146, 18, 20}, kStringFeed},
        {kFeedLength, Kind::Edit, {feedX + 20, 146, 50, 20}, kNoText},
        {kFeedUnit, Kind::Label, {feedX + 74, 146, 36, 20}, kNoText},

        {kFanNormal, Kind::Radio, {312, 28, 90, 18}, kStringNormal},
        {kFanWeak, Kind::Radio, {312, 48, 90, 18}, kStringWeak},
        {kMirrorOff, Kind::Radio, {312, 100, 90, 18}, kStringOff},
        {kMirrorOn, Kind::Radio, {312, 120, 90, 18}, kStringOn},

        {kDistanceSlot, Kind::Combo, {20, 198, 105, 14}, kNoText, kComboSlots},
        {kDistanceOff, Kind::Radio, {140, 196, 50, 18}, kStringOff},
        {kDistanceOn, Kind::Radio, {196, 196, 50, 18}, kStringOn},
        {kLLabel, Kind::Label, {20, 222, 24, 20}, kStringL},
        {kL, Kind::Edit, {46, 222, 56, 20}, kNoText},
        {kLPercent, Kind::Label, {106, 222, 16, 20}, kNoText},
        {kWLabel, Kind::Label, {140, 222, 24, 20}, kStringW},
        {kW, Kind::Edit, {166, 222, 56, 20}, kNoText},
        {kWPercent, Kind::Label, {226, 222, 16, 20}, kNoText},

        {kTangentialSlot, Kind::Combo, {20, 278, 105, 14}, kNoText, kComboSlots},
        {kMode1, Kind::Radio, {140, 276, 70, 18}, kStringMode1},
        {kMode2, Kind::Radio, {214, 276, 70, 18}, kStringMode2},
        {kTangentialOff, Kind::Radio, {140, 300, 50, 18}, kStringOff},
        {kStartLabel, Kind::Label, {20, 326, 40, 20}, kStringStart},
        {kStart, Kind::Edit, {62, 326, 56, 20}, kNoText},
        {kStartUnit, Kind::Label, {122, 326, 40, 20}, kNoText},
        {kEndLabel, Kind::Label, {170, 326, 36, 20}, kStringEnd},
        {kEnd, Kind::Edit, {208, 326, 56, 20}, kNoText},
        {kEndUnit, Kind::Label, {268, 326, 40, 20}, kNoText},

        {kCommand, Kind::Button, {16, 372, kButtonWidth, kButtonHeight}, kStringCommand},
        {1, Kind::Button, {150, 372, kButtonWidth, kButtonHeight}, kStringOk},
        {2, Kind::Button, {284, 372, kButtonWidth, kButtonHeight}, kStringCancel},
    };
    if (templateId == kTemplateOneMode) {
        // Right after "Off", in tab order.
        const auto off = std::find_if(controls.begin(), controls.end(),
                                      [](const Placement& p) { return p.id == kTangentialOff; });
        controls.insert(off + 1, {kTangentialOn, Kind::Radio, {196, 300, 50, 18}, kStringOn});
    }
    return controls;
}

} // namespace advlayout
