#include "protocol/ProtocolText.h"

#include <cstdio>

namespace proto {
namespace {

// Fills a format string with decimal integers. The largest text has four ints: 64 bytes
// hold any of them with room to spare.
template <typename... Args> std::string Format(const char* format, Args... args) {
    if constexpr (sizeof...(Args) == 0) {
        return format;
    } else {
        char buffer[64];
        const int n = std::snprintf(buffer, sizeof buffer, format, args...);
        return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    }
}

// Setting commands carry ETX as the last byte of their text.
template <typename... Args> std::string Command(const char* format, Args... args) {
    return Format(format, args...) + kEtx;
}

// Scaled values travel as int; widen first so an absurd input cannot overflow.
long long Scaled(int value, int factor) {
    return static_cast<long long>(value) * factor;
}

} // namespace

std::string StatusQuery() {
    return Format("%c.C1:", kEsc);
}
std::string StepSizeQuery() {
    return Format("%c.C31;16:", kEsc);
}
std::string ModelAndFirmwareQuery() {
    return Format("%c.C31;9:", kEsc);
}
std::string CommandSetQuery() {
    return Format("%c.C31;24:", kEsc);
}
std::string MarksAvailableQuery() {
    return Format("%c.C31;17:", kEsc);
}
std::string MediaOrientationQuery() {
    return Format("%c.C31;20:", kEsc);
}
std::string MirrorQuery() {
    return Format("%c.C31;26:", kEsc);
}
std::string SelectedToolQuery() {
    return Format("%c.C31;14:", kEsc);
}
std::string ForceQuery() {
    return Format("%c.C31;13:", kEsc);
}
std::string SpeedQuery() {
    return Format("%c.C31;11:", kEsc);
}
std::string QualityQuery() {
    return Format("%c.C31;12:", kEsc);
}
std::string OffsetQuery() {
    return Format("%c.C31;15:", kEsc);
}
std::string PageLengthQuery() {
    return Format("%c.C31;25:", kEsc);
}
std::string OffsetAngleQuery() {
    return Format("%c.C31;30:", kEsc);
}
std::string InitialDownForceQuery() {
    return Format("%c.C31;32:", kEsc);
}
std::string StepPassQuery() {
    return Format("%c.C31;31:", kEsc);
}
std::string PenUpSpeedQuery() {
    return Format("%c.C31;29:", kEsc);
}
std::string AutoPreFeedQuery() {
    return Format("%c.C31;27:", kEsc);
}
std::string FanPowerQuery() {
    return Format("%c.C31;34:", kEsc);
}
std::string DistanceAdjustQuery(int slot) {
    return Format("%c.C31;33;%d:", kEsc, slot);
}
std::string TangentialModeQuery() {
    return Format("%c.C31;28;0:", kEsc);
}
std::string TangentialModeSlotQuery(int slot) {
    return Format("%c.C31;28;%d:", kEsc, slot + 10);
}
std::string TangentialEmulationQuery(int slot) {
    return Format("%c.C31;28;%d:", kEsc, slot);
}
std::string MarkReadStateQuery() {
    return Format("%c.C11:", kEsc);
}
std::string EnterStateQuery() {
    return Format("%c.C13:", kEsc);
}
std::string MarksReadQuery() {
    return Command("TC23,");
}

std::string PressEnterControl() {
    return Format("%c.C14:", kEsc);
}
std::string AbortMarkReadingControl() {
    return Format("%c.C12:", kEsc);
}
std::string StartMarkReadingControl() {
    return Format("%c.C10:", kEsc);
}
std::string JogKeysControl(int mask) {
    return Format("%c.C21;%d:", kEsc, mask);
}

std::string SpeedCommand(int speed) {
    return Command("TC1,%lld", Scaled(speed, 10));
}
std::string QualityCommand(int quality) {
    return Command("TC2,%lld", Scaled(quality, 5));
}
std::string ForceCommand(int force) {
    return Command("TC3,%d", force);
}
std::string ToolCommand(int toolCode) {
    return Command("TC4,%d", toolCode);
}
std::string OffsetCommand(int offset) {
    return Command("TC5,%d", offset);
}
std::string TestPatternCommand() {
    return Command("TC7,");
}
std::string FiveTestPatternsCommand() {
    return Command("TC8,");
}
std::string UsePanelSettingsCommand() {
    return Command("TC10,");
}
std::string MediaOrientationCommand(int orientation) {
    return Command("TC21,%d", orientation);
}
std::string CommandSetCommand(int set) {
    return Command("TC24,%d", set);
}
std::string PageLengthCommand(int steps) {
    return Command("TC25,%d", steps);
}
std::string MirrorCommand(int mirror) {
    return Command("TC26,%d", mirror);
}
std::string AutoPreFeedCommand(int on, int feedSteps) {
    return Command("TC27,%d,%d", on, feedSteps);
}
std::string TangentialModeCommand(int mode) {
    return Command("TC28,0,%d", mode);
}
std::string TangentialModeSlotCommand(int slot, int mode) {
    return Command("TC28,%d,%d", slot + 10, mode);
}
std::string TangentialEmulationCommand(int slot, int on, int startSteps, int endSteps) {
    return Command("TC28,%d,%d,%d,%d", slot, on, startSteps, endSteps);
}
std::string PenUpSpeedCommand(int value) {
    return Command("TC29,%d", value);
}
std::string OffsetAngleCommand(int degrees) {
    return Command("TC30,%d", degrees);
}
std::string StepPassCommand(int stepPass) {
    return Command("TC31,%d", stepPass);
}
std::string InitialDownForceCommand(int force) {
    return Command("TC32,%d", force);
}
std::string DistanceAdjustCommand(int slot, int on, int lCode, int wCode) {
    return Command("TC33,%d,%d,%d,%d", slot, on, lCode, wCode);
}
std::string FanPowerCommand(int fanPower) {
    return Command("TC34,%d", fanPower);
}
std::string CrossCutCommand() {
    return Command("TC35,");
}
std::string MoveToOriginCommand() {
    return Command("TC36,");
}
std::string MarkLineLengthCommand(int steps) {
    return Command("TB51,%d,", steps);
}
std::string MarkTypeCommand(int markType) {
    return Command("TB52,%lld,", static_cast<long long>(markType) + 1);
}
std::string MarkThicknessCommand(int steps) {
    return Command("TB53,%d,", steps);
}
std::string MarkSensorCommand() {
    return Command("TB55,1,");
}
std::string MarkSequenceCommand() {
    return Command("TB99,");
}

std::string MarkSearchCommand(const MarkSearch& s) {
    const bool a = s.automatic;
    switch (static_cast<MarkMethod>(s.method)) {
    case MarkMethod::TwoPoints:
        return a ? Command("TB122,%d,", s.xSteps) : Command("TB222,%d,", s.xSteps);
    case MarkMethod::ThreePoints:
        return a ? Command("TB123,%d,%d,", s.xSteps, s.ySteps)
                 : Command("TB223,%d,%d,", s.xSteps, s.ySteps);
    case MarkMethod::FourPoints:
        return a ? Command("TB124,%d,%d,", s.xSteps, s.ySteps)
                 : Command("TB224,%d,%d,", s.xSteps, s.ySteps);
    case MarkMethod::Area:
        if (s.orientation == 1) {
            return a ? Command("TB125,%d,%d,1,%d", s.xSteps, s.ySteps, s.stepSteps)
                     : Command("TB225,%d,%d,1,%d", s.xSteps, s.ySteps, s.stepSteps);
        }
        return a ? Command("TB125,%d,%d,0,%d", s.xSteps, s.ySteps, s.stepSteps)
                 : Command("TB225,%d,%d,0,%d", s.xSteps, s.ySteps, s.stepSteps);
    }
    return {};
}

} // namespace proto
