#include "ui/dialogs/AdvancedDlgLayout.h"

#include <algorithm>

namespace advlayout {

namespace {

constexpr int kStringOk = 2101;
constexpr int kStringCancel = 2014;
constexpr int kStringCommand = 2603;
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
        {kFanGroup, Kind::Group, {300, 8, 109, 66}, "Fan Power"},
        {kMirrorGroup, Kind::Group, {300, 80, 109, 66}, "Mirror"},
        {kDistanceGroup, Kind::Group, {8, 176, 401, 72}, "Distance Adjust"},
        {kTangentialGroup, Kind::Group, {8, 256, 401, 100}, "Tangential Emulation"},

        {kPageLengthLabel, Kind::Label, {16, 16, 120, 20}, "Page Length"},
        {kPageLength, Kind::Edit, {140, 16, 56, 20}, ""},
        {kPageLengthUnit, Kind::Label, {200, 16, 60, 20}, ""},
        {kOffsetAngleLabel, Kind::Label, {16, 42, 120, 20}, "Offset Angle"},
        {kOffsetAngle, Kind::Edit, {140, 42, 56, 20}, ""},
        {kDegrees, Kind::Label, {200, 42, 60, 20}, "degree(s)"},
        {kInitialDownForceLabel, Kind::Label, {16, 68, 120, 20}, "Initial Down Force"},
        {kInitialDownForce, Kind::Edit, {140, 68, 56, 20}, ""},
        {kStepPassLabel, Kind::Label, {16, 94, 120, 20}, "Step Pass"},
        {kStepPass, Kind::Edit, {140, 94, 56, 20}, ""},
        {kPenUpSpeedLabel, Kind::Label, {16, 120, 120, 20}, "Pen Up Speed"},
        {kPenUpSpeed, Kind::Combo, {140, 123, 65, 14}, "", 0, kComboPenUp},
        {kAutoPreFeed, Kind::Check, {16, 146, labelWidth, 20}, "Auto Pre Feed"},
        {kFeedLabel, Kind::Label, {feedX, 146, 18, 20}, "L="},
        {kFeedLength, Kind::Edit, {feedX + 20, 146, 50, 20}, ""},
        {kFeedUnit, Kind::Label, {feedX + 74, 146, 36, 20}, ""},

        {kFanNormal, Kind::Radio, {312, 28, 90, 18}, "Normal"},
        {kFanWeak, Kind::Radio, {312, 48, 90, 18}, "Weak"},
        {kMirrorOff, Kind::Radio, {312, 100, 90, 18}, "Off"},
        {kMirrorOn, Kind::Radio, {312, 120, 90, 18}, "On"},

        {kDistanceSlot, Kind::Combo, {20, 198, 105, 14}, "", 0, kComboSlots},
        {kDistanceOff, Kind::Radio, {140, 196, 50, 18}, "Off"},
        {kDistanceOn, Kind::Radio, {196, 196, 50, 18}, "On"},
        {kLLabel, Kind::Label, {20, 222, 24, 20}, "L :"},
        {kL, Kind::Edit, {46, 222, 56, 20}, ""},
        {kLPercent, Kind::Label, {106, 222, 16, 20}, "%"},
        {kWLabel, Kind::Label, {140, 222, 24, 20}, "W :"},
        {kW, Kind::Edit, {166, 222, 56, 20}, ""},
        {kWPercent, Kind::Label, {226, 222, 16, 20}, "%"},

        {kTangentialSlot, Kind::Combo, {20, 278, 105, 14}, "", 0, kComboSlots},
        {kMode1, Kind::Radio, {140, 276, 70, 18}, "Mode 1"},
        {kMode2, Kind::Radio, {214, 276, 70, 18}, "Mode 2"},
        {kTangentialOff, Kind::Radio, {140, 300, 50, 18}, "Off"},
        {kStartLabel, Kind::Label, {20, 326, 40, 20}, "Start :"},
        {kStart, Kind::Edit, {62, 326, 56, 20}, ""},
        {kStartUnit, Kind::Label, {122, 326, 40, 20}, ""},
        {kEndLabel, Kind::Label, {170, 326, 36, 20}, "End :"},
        {kEnd, Kind::Edit, {208, 326, 56, 20}, ""},
        {kEndUnit, Kind::Label, {268, 326, 40, 20}, ""},

        {kCommand, Kind::Button, {16, 372, kButtonWidth, kButtonHeight}, "", kStringCommand},
        {1, Kind::Button, {150, 372, kButtonWidth, kButtonHeight}, "", kStringOk},
        {2, Kind::Button, {284, 372, kButtonWidth, kButtonHeight}, "", kStringCancel},
    };
    if (templateId == kTemplateOneMode) {
        // Right after "Off", in tab order.
        const auto off = std::find_if(controls.begin(), controls.end(),
                                      [](const Placement& p) { return p.id == kTangentialOff; });
        controls.insert(off + 1, {kTangentialOn, Kind::Radio, {196, 300, 50, 18}, "On"});
    }
    return controls;
}

} // namespace advlayout
