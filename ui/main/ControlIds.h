#pragma once

// Control ids of the main window. Tests and the window's handlers find every child by these.
namespace ctl {

constexpr int kOk = 1;
constexpr int kCancel = 2;

// Title and condition area.
constexpr int kTitle = 3000;
constexpr int kUsePlotterSettings = 3002;
constexpr int kUseControllerSettings = 3003;
constexpr int kMediaTypeLabel = 3004;
constexpr int kMediaType = 3005;
constexpr int kBladeLabel = 3006;
constexpr int kBladeValue = 3007;
constexpr int kForceLabel = 3008;
constexpr int kForceValue = 3009;
constexpr int kSpeedLabel = 3010;
constexpr int kSpeedValue = 3011;
constexpr int kQualityLabel = 3012;
constexpr int kQualityValue = 3013;
constexpr int kOffsetLabel = 3014;
constexpr int kOffsetValue = 3015;
constexpr int kListEdit = 3016;
constexpr int kTestLabel = 3017;
constexpr int kTestCut = 3018;
constexpr int kEditConditions = 3019;
constexpr int kImportConditions = 3020;

// Head panel.
constexpr int kPositionLabel = 3100;
constexpr int kArrowUp = 3101;
constexpr int kArrowDown = 3102;
constexpr int kArrowLeft = 3103;
constexpr int kArrowRight = 3104;
constexpr int kUseKeyboard = 3105;
constexpr int kOriginLabel = 3106;
constexpr int kOrigin = 3107;
constexpr int kCrossCutLabel = 3108;
constexpr int kCrossCut = 3109;

// Orientation and registration-mark panel.
constexpr int kDesignLabel = 3200;
constexpr int kDesignPortrait = 3202;  // design orientation 1
constexpr int kDesignLandscape = 3203; // design orientation 0
constexpr int kMediaLabel = 3204;
constexpr int kMediaRotated = 3206;   // media orientation 1
constexpr int kMediaUnrotated = 3207; // media orientation 0
constexpr int kPreviewLabel = 3208;
constexpr int kMarks = 3300;
constexpr int kSearchMarks = 3301;
constexpr int kDistanceLabel = 3302;
constexpr int kDistanceXLabel = 3303;
constexpr int kDistanceX = 3304;
constexpr int kDistanceXUnit = 3305;
constexpr int kDistanceYLabel = 3306;
constexpr int kDistanceY = 3307;
constexpr int kDistanceYUnit = 3308;
constexpr int kMarkSettings = 3309;
constexpr int kReadMarks = 3310;

// Right-hand column.
constexpr int kHelp = 3400;
constexpr int kAbout = 3401;
constexpr int kOption = 3402;
constexpr int kAdvanced = 3403;

// Test-cut progress window.
constexpr int kMessageText = 3800;

} // namespace ctl

// String-table texts of the main window.
namespace str {

constexpr int kDemoMode = 2001;
constexpr int kListEdit = 2002;
constexpr int kEditConditions = 2003;
constexpr int kImportConditions = 2004;
constexpr int kUseKeyboard = 2005;
constexpr int kMm = 2006;
constexpr int kInch = 2007;
constexpr int kMarkSettings = 2008;
constexpr int kReadMarks = 2009;
constexpr int kHelp = 2010;
constexpr int kAbout = 2011;
constexpr int kOption = 2012;
constexpr int kAdvanced = 2013;
constexpr int kCancel = 2014;
constexpr int kCut = 2015;
constexpr int kClose = 2016;

// Labels, radio buttons and check boxes.
constexpr int kUsePlotterSettings = 2800;
constexpr int kUseControllerSettings = 2801;
constexpr int kMediaType = 2802;
constexpr int kBlade = 2803;
constexpr int kForce = 2804;
constexpr int kSpeed = 2805;
constexpr int kQuality = 2806;
constexpr int kOffset = 2807;
constexpr int kTest = 2808;
constexpr int kPosition = 2809;
constexpr int kOrigin = 2810;
constexpr int kCrossCut = 2811;
constexpr int kDesignOrientation = 2812;
constexpr int kMediaOrientation = 2813;
constexpr int kPreview = 2814;
constexpr int kMarks = 2815;
constexpr int kSearchMarks = 2816;
constexpr int kDistance = 2817;
constexpr int kDistanceX = 2818;
constexpr int kDistanceY = 2819;

} // namespace str
