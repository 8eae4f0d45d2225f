#pragma once

#include <QRect>

#include <vector>

// Control ids of the Advanced Settings window. Where the window's templates leave a text or a
// frame unnumbered, the id is ours (marked "ours").
namespace advctl {

constexpr int kPageLengthLabel = 4100; // ours
constexpr int kPageLength = 4101;
constexpr int kPageLengthUnit = 4102;
constexpr int kOffsetAngleLabel = 4103; // ours
constexpr int kOffsetAngle = 4104;
constexpr int kDegrees = 4105;               // ours
constexpr int kInitialDownForceLabel = 4106; // ours
constexpr int kInitialDownForce = 4107;
constexpr int kStepPassLabel = 4108; // ours
constexpr int kStepPass = 4109;
constexpr int kPenUpSpeedLabel = 4110; // ours
constexpr int kPenUpSpeed = 4111;
constexpr int kAutoPreFeed = 4112;
constexpr int kFeedLabel = 4114;
constexpr int kFeedLength = 4115;
constexpr int kFeedUnit = 4116;
constexpr int kFanGroup = 4117;
constexpr int kFanNormal = 4118;
constexpr int kFanWeak = 4119;
constexpr int kMirrorGroup = 4120; // ours
constexpr int kMirrorOff = 4121;
constexpr int kMirrorOn = 4122;
constexpr int kDistanceGroup = 4123; // ours
constexpr int kDistanceSlot = 4124;
constexpr int kDistanceOff = 4126;
constexpr int kDistanceOn = 4127;
constexpr int kLLabel = 4128;
constexpr int kL = 4129;
constexpr int kLPercent = 4130;
constexpr int kWLabel = 4131;
constexpr int kW = 4132;
constexpr int kWPercent = 4133;
constexpr int kTangentialGroup = 4134; // ours
constexpr int kMode1 = 4135;
constexpr int kMode2 = 4136;
constexpr int kTangentialSlot = 4137;
constexpr int kTangentialOff = 4139;
constexpr int kTangentialOn = 4140; // template 136 only
constexpr int kStartLabel = 4141;
constexpr int kStart = 4142;
constexpr int kStartUnit = 4143;
constexpr int kEndLabel = 4144;
constexpr int kEnd = 4145;
constexpr int kEndUnit = 4146;
constexpr int kCommand = 4147;

} // namespace advctl

namespace advlayout {

constexpr int kClientWidth = 417;
constexpr int kClientHeight = 410;
constexpr int kTemplateOneMode = 136;   // one tangential mode for the whole plotter
constexpr int kTemplateSlotModes = 137; // a tangential mode per condition number

enum class Kind { Group, Label, Edit, Check, Radio, Combo, Button };

struct Placement {
    int id;
    Kind kind;
    QRect rect;       // client pixels; skinned controls take their kind's size
    int text;         // string id of the text or a skinned button's caption (0: none)
    int skinKind = 0; // combo kind of a skinned combo box
};

// Every control of the window, frames first so that they lie below their contents.
// `labelWidth` is the language's width of the "Auto Pre Feed" check box.
std::vector<Placement> Controls(int templateId, int labelWidth);

} // namespace advlayout
