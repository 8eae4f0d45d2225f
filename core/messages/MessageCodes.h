#pragma once

// Message codes: every failure is one of these integers, which are also the string-table
// identifiers of their texts. 0 means success.
namespace msg {

constexpr int kOk = 0;

// Start-up and link failures.
constexpr int kUnsupportedSystem = 1000;
constexpr int kLibraryMissing = 1001;
constexpr int kLibraryExportMissing = 1002;
constexpr int kOutOfMemory = 1003;
constexpr int kNoPlotter = 1004;
constexpr int kPortBusy = 1005;
constexpr int kTimeout = 1006;
constexpr int kWriteFailed = 1007;
constexpr int kReadFailed = 1008;
constexpr int kFirmwareUnsupported = 1009;
constexpr int kModelUnsupported = 1010;
constexpr int kCouldNotConnect = 1011;
constexpr int kQueueUnavailable = 1012;
constexpr int kMediaListMissing = 1013;
constexpr int kControlAttachFailed = 1014;
constexpr int kControlPicturesFailed = 1015;

// The plotter is busy or not ready: the change is kept and sent later.
constexpr int kPlotterBusy = 1100;
constexpr int kPlotterNotReady = 1101;
constexpr int kMarkReadingFailed = 1102;

// Whether a failed send only found the plotter busy or not ready, so that the change is kept.
constexpr bool IsBusyCode(int code) {
    return code == kPlotterBusy || code == kPlotterNotReady;
}

// Values out of range (shown with their limits), 1200..1222.
constexpr int kRangeFirst = 1200;
constexpr int kRangeMarkDistXMm = 1200;
constexpr int kRangeMarkDistXInch = 1201;
constexpr int kRangeMarkDistYMm = 1202;
constexpr int kRangeMarkDistYInch = 1203;
constexpr int kRangeMarkStepMm = 1204;
constexpr int kRangeMarkStepInch = 1205;
constexpr int kRangeMarkLengthMm = 1206;
constexpr int kRangeMarkLengthInch = 1207;
constexpr int kRangeMarkThicknessMm = 1208;
constexpr int kRangeMarkThicknessInch = 1209;
constexpr int kRangePageLengthCm = 1210;
constexpr int kRangePageLengthInch = 1211;
constexpr int kRangeOffsetAngle = 1212;
constexpr int kRangeInitialDownForce = 1213;
constexpr int kRangeStepPass = 1214;
constexpr int kRangeFeedLengthM = 1215;
constexpr int kRangeFeedLengthFeet = 1216;
constexpr int kRangeDistanceAdjustL = 1217;
constexpr int kRangeDistanceAdjustW = 1218;
constexpr int kRangeTangentialStartMm = 1219;
constexpr int kRangeTangentialStartInch = 1220;
constexpr int kRangeTangentialEndMm = 1221;
constexpr int kRangeTangentialEndInch = 1222;
constexpr int kRangeLast = 1222;

// Media list editing.
constexpr int kSelectList = 1300;
constexpr int kListInUse = 1301;
constexpr int kCannotDeleteList = 1302;
constexpr int kInvalidName = 1303;
constexpr int kNameInUse = 1304;
constexpr int kMediaListEditFailed = 1305;
constexpr int kLightPointerSelected = 1306;

// Launch values that do not fit the connected plotter.
constexpr int kBadDesignOrientation = 1400;
constexpr int kBadMediaOrientation = 1401;
constexpr int kBadMarkLength = 1402;
constexpr int kBadMarkDistance = 1403;
constexpr int kBadCorrectionMethod = 1404;
constexpr int kBadMarkType = 1405;
constexpr int kBadMarkStep = 1406;
constexpr int kBadMarkThickness = 1407;

// Help that cannot be shown: no page for the window, or nothing on the desktop opens it.
constexpr int kHelpPageMissing = 1500;
constexpr int kHelpNotOpened = 1501;

// Confirmations and notices (OK/Cancel, no code suffix).
constexpr int kConfirmCommandSetSwitch = 1800;
constexpr int kConfirmTestCut = 1801;
constexpr int kConfirmFiveTestCuts = 1802;
constexpr int kTestCutRunning = 1803;
constexpr int kTestCutPressEnter = 1804;
constexpr int kConfirmCrossCut = 1805;
constexpr int kConfirmMarkSearch = 1806;
constexpr int kConfirmMarksNotRead = 1807;
constexpr int kConfirmUnsentChanges = 1808;
constexpr int kConfirmDeleteList = 1809;
constexpr int kConfirmOverwriteList = 1810;
constexpr int kConfirmChangeConditions = 1811;

} // namespace msg
