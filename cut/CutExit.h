#pragma once

// The exit codes of quirn-cut besides those of the controller, which it passes on (1 when the
// cut was cancelled there, 100, 101, 199). The numbers past 2 follow sysexits.h.
namespace cutexit {

constexpr int kSent = 0;
constexpr int kUsage = 64;        // the command line is wrong
constexpr int kBadInput = 65;     // the file cannot be cut: nothing sent
constexpr int kNoPlotter = 69;    // the plotter cannot take the job: nothing sent
constexpr int kSendFailed = 74;   // the transfer broke off: part of the job was sent
constexpr int kInterrupted = 130; // stopped with Ctrl-C

} // namespace cutexit
