#pragma once

#include <string>

// The bytes the controller sends to the plotter. Device-control texts are ESC ".C" … ":"
// with nothing appended; setting commands end with ETX. Every function returns the complete
// text of one write. Parameters are the values that travel, except where a comment names
// the scaling the command applies itself.
namespace proto {

inline constexpr char kEsc = '\x1b';
inline constexpr char kEtx = '\x03';

// Device-control queries answered with a text.
std::string StatusQuery();
std::string StepSizeQuery();
std::string ModelAndFirmwareQuery();
std::string CommandSetQuery();
std::string MarksAvailableQuery();
std::string MediaOrientationQuery();
std::string MirrorQuery();
std::string SelectedToolQuery();
std::string ForceQuery();
std::string SpeedQuery();
std::string QualityQuery();
std::string OffsetQuery();
std::string PageLengthQuery();
std::string OffsetAngleQuery();
std::string InitialDownForceQuery();
std::string StepPassQuery();
std::string PenUpSpeedQuery();
std::string AutoPreFeedQuery();
std::string FanPowerQuery();
std::string DistanceAdjustQuery(int slot);      // slot 1-9
std::string TangentialModeQuery();              // the single mode of layout 136
std::string TangentialModeSlotQuery(int slot);  // slot 1-9, sent as slot + 10 (layout 137)
std::string TangentialEmulationQuery(int slot); // slot 1-9
std::string MarkReadStateQuery();
std::string EnterStateQuery();
// Shaped like a setting command (ends with ETX) but answered like a query.
std::string MarksReadQuery();

// Device-control texts without a reply.
std::string PressEnterControl();
std::string AbortMarkReadingControl();
std::string StartMarkReadingControl();
std::string JogKeysControl(int mask); // the mask as it goes out, already reduced

// Setting commands, each ending with ETX.
std::string SpeedCommand(int speed);     // sends speed x 10
std::string QualityCommand(int quality); // sends quality x 5
std::string ForceCommand(int force);
std::string ToolCommand(int toolCode);
std::string OffsetCommand(int offset);
std::string TestPatternCommand();
std::string FiveTestPatternsCommand();
std::string UsePanelSettingsCommand();
std::string MediaOrientationCommand(int orientation);
std::string CommandSetCommand(int set);
std::string PageLengthCommand(int steps);
std::string MirrorCommand(int mirror);
std::string AutoPreFeedCommand(int on, int feedSteps);
std::string TangentialModeCommand(int mode);
std::string TangentialModeSlotCommand(int slot, int mode); // sends slot + 10
std::string TangentialEmulationCommand(int slot, int on, int startSteps, int endSteps);
std::string PenUpSpeedCommand(int value);
std::string OffsetAngleCommand(int degrees);
std::string StepPassCommand(int stepPass);
std::string InitialDownForceCommand(int force);
std::string DistanceAdjustCommand(int slot, int on, int lCode, int wCode);
std::string FanPowerCommand(int fanPower);
std::string CrossCutCommand();
std::string MoveToOriginCommand();
std::string MarkLineLengthCommand(int steps);
std::string MarkTypeCommand(int markType); // sends type + 1
std::string MarkThicknessCommand(int steps);
std::string MarkSensorCommand();
std::string MarkSequenceCommand();

// Registration-mark correction methods as the settings store them.
enum class MarkMethod { TwoPoints = 0, ThreePoints = 1, FourPoints = 2, Area = 3 };

struct MarkSearch {
    int method = 0;         // MarkMethod
    bool automatic = false; // TB1xx when on, TB2xx when off
    int xSteps = 0;
    int ySteps = 0;
    int orientation = 0; // media orientation; picks the area format
    int stepSteps = 0;
};

// The search command for a correction method; empty for a method outside 0-3.
std::string MarkSearchCommand(const MarkSearch& search);

} // namespace proto
