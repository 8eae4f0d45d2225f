#pragma once

// What the process tells the program that started it when it ends.
namespace exitcode {

constexpr int kClosed = 0;           // closed normally
constexpr int kCancelled = 1;        // cancelled; also the value before any window ran
constexpr int kCutAccepted = 2;      // cutting job accepted ("Cut")
constexpr int kAlreadyRunning = 100; // another controller is already running
constexpr int kFailed = 101;         // could not start or ended by another failure
constexpr int kCouldNotStart = 199;  // unsuitable system or parameters, model, memory, files

constexpr int kInitial = kCancelled;

// Results with which the main window ends besides the message codes of a failed opening.
constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

// The exit code for the main window's result.
int ForResult(int windowResult, bool cutMode);

} // namespace exitcode
