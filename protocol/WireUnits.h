#pragma once

// Conversions between the controller's units (micrometres, percent) and the plotter's
// (steps, codes). Every double-to-int step saturates, so no input can overflow an int.
namespace proto {

// Truncates toward zero into the int range; NaN gives 0.
int TruncToInt(double value);

// Length in steps: trunc(um x stepsPerMm x 0.001).
int MicrometresToSteps(int um, int stepsPerMm);

// Tangential emulation length in steps: trunc((mm + 0.05) x stepsPerMm).
int TangentialToSteps(int um, int stepsPerMm);

// Distance-adjust code: trunc(percent x 100 + 200), so -2 % is 0 and +2 % is 400.
int DistanceAdjustCode(double percent);

} // namespace proto
