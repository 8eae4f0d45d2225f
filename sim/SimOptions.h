#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The USB vendor ID that the library looks for (its build constant "VID_xxxx").
unsigned DefaultVendorId();

// How one simulated plotter looks on USB and how it misbehaves.
struct SimPlotterConfig {
    std::string modelType;
    std::string deviceId;      // empty: "MANUFACTURER:Morvalin;COMMAND SET:QV-CL;MODEL:<usb>;"
    bool hugeDeviceId = false; // the usual keys, then 64 KiB of filler
    std::string devName;       // empty: usb/lpN
    unsigned vendorId = DefaultVendorId();
    std::string logPath;
    std::string jobLogPath; // the drawing data alone (CSimPlotter::Job)

    std::string firmware;
    int stepSize = -1;
    int status = 0;
    int statusReplies = -1;
    bool answerModelQuery = true;
    bool malformedReplies = false;
    std::map<std::string, std::string> replyOverrides;
    int replyDelayMs = 0;
    int lateReplies = -1; // replies sent late; -1 = all
    int replyLength = 0;
    int zeroBytes = 0;
    bool lightPointer = false;
    bool otherCommandSet = false;
    int markPolls = -1; // polls before the outcome; -1 = the plotter's default sequence
    bool marksFail = false;
    bool testCutWaitsForEnter = false;
    int unplugAfter = -1; // requests taken before the device disappears
    int unplugMs = 3000;
    int unplugAtByte = -1; // request bytes taken before the device is pulled out, hanging up
    int holdAfter = -1;    // requests taken before another program holds the node
    int holdMs = 3000;
    int chunk = 0; // largest piece taken from the node at once; 0 = all there is
    // A slow plotter: bytes taken per second (0: as fast as they come); after the byte
    // numbered pauseAtByte, nothing taken for pauseMs; after stallAtByte, nothing ever again.
    int byteRate = 0;
    int pauseAtByte = -1;
    int pauseMs = 3000;
    int stallAtByte = -1;
};

struct SimOptions {
    std::vector<SimPlotterConfig> plotters;
    std::vector<std::string> command; // after "--"; empty: serve until stopped
    bool help = false;
};

// Parses the command line of plottersim. Options before the first --model apply to every
// plotter; options after a --model apply to that plotter only. "--script FILE" reads more
// options from a file, one per line ("status 33"), '#' starting a comment.
// Returns the options, or nothing with the reason in `error`.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);

// C-style escapes in option texts: \\, \e (ESC), \n, \r, \t, \0 and \xNN.
std::optional<std::string> Unescape(const std::string& text);

class CSimPlotter;

// The plotter a configuration describes, with its faults set up.
CSimPlotter MakePlotter(const SimPlotterConfig& config);

// The IEEE 1284 device ID the configuration's device reports.
std::string DeviceIdFor(const SimPlotterConfig& config);

// The text of --help.
const char* SimUsage();
