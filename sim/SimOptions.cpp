#include "sim/SimOptions.h"

#include "sim/SimPlotter.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <functional>

namespace {

std::optional<int> ParseNumber(const std::string& text, int minimum, int base = 10) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || ptr != end || value < minimum) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> CanonicalModel(const std::string& name) {
    for (std::string_view type : CSimPlotter::kModelTypes) {
        if (type.size() == name.size() &&
            std::equal(type.begin(), type.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            })) {
            return std::string(type);
        }
    }
    return std::nullopt;
}

using Setter = std::function<bool(SimPlotterConfig&, const std::string&)>;

Setter Flag(bool SimPlotterConfig::*member, bool value = true) {
    return [member, value](SimPlotterConfig& c, const std::string&) {
        c.*member = value;
        return true;
    };
}

Setter Number(int SimPlotterConfig::*member, int minimum) {
    return [member, minimum](SimPlotterConfig& c, const std::string& text) {
        const std::optional<int> value = ParseNumber(text, minimum);
        if (value) {
            c.*member = *value;
        }
        return value.has_value();
    };
}

Setter Text(std::string SimPlotterConfig::*member) {
    return [member](SimPlotterConfig& c, const std::string& text) {
        const std::optional<std::string> value = Unescape(text);
        if (value) {
            c.*member = *value;
        }
        return value.has_value();
    };
}

struct OptionRule {
    bool takesValue;
    Setter apply;
};

const std::map<std::string, OptionRule>& Options() {
    static const std::map<std::string, OptionRule> options = {
        {"--device-id", {true, Text(&SimPlotterConfig::deviceId)}},
        {"--huge-device-id", {false, Flag(&SimPlotterConfig::hugeDeviceId)}},
        {"--devname", {true, Text(&SimPlotterConfig::devName)}},
        {"--vendor-id",
         {true,
          [](SimPlotterConfig& c, const std::string& text) {
              const std::optional<int> value = ParseNumber(text, 0, 16);
              if (!value || *value > 0xFFFF) {
                  return false;
              }
              c.vendorId = static_cast<unsigned>(*value);
              return true;
          }}},
        {"--log", {true, Text(&SimPlotterConfig::logPath)}},
        {"--job-log", {true, Text(&SimPlotterConfig::jobLogPath)}},
        {"--firmware", {true, Text(&SimPlotterConfig::firmware)}},
        {"--step-size",
         {true,
          [](SimPlotterConfig& c, const std::string& text) {
              const std::optional<int> value = ParseNumber(text, 0);
              if (!value || *value > 3) {
                  return false;
              }
              c.stepSize = *value;
              return true;
          }}},
        {"--status", {true, Number(&SimPlotterConfig::status, 0)}},
        {"--status-replies", {true, Number(&SimPlotterConfig::statusReplies, 0)}},
        {"--busy",
         {false,
          [](SimPlotterConfig& c, const std::string&) {
              c.status = 2;
              return true;
          }}},
        {"--not-ready",
         {false,
          [](SimPlotterConfig& c, const std::string&) {
              c.status = 1;
              return true;
          }}},
        {"--no-model-answer", {false, Flag(&SimPlotterConfig::answerModelQuery, false)}},
        {"--malformed", {false, Flag(&SimPlotterConfig::malformedReplies)}},
        {"--reply",
         {true,
          [](SimPlotterConfig& c, const std::string& text) {
              const std::size_t equals = text.find('=');
              if (equals == std::string::npos || equals == 0) {
                  return false;
              }
              const std::optional<std::string> bytes = Unescape(text.substr(equals + 1));
              if (bytes) {
                  c.replyOverrides[text.substr(0, equals)] = *bytes;
              }
              return bytes.has_value();
          }}},
        {"--reply-delay", {true, Number(&SimPlotterConfig::replyDelayMs, 0)}},
        {"--reply-length", {true, Number(&SimPlotterConfig::replyLength, 0)}},
        {"--zero-bytes", {true, Number(&SimPlotterConfig::zeroBytes, 0)}},
        {"--light-pointer", {false, Flag(&SimPlotterConfig::lightPointer)}},
        {"--hpgl", {false, Flag(&SimPlotterConfig::otherCommandSet)}},
        {"--marks-succeed-after",
         {true,
          [](SimPlotterConfig& c, const std::string& text) {
              c.marksFail = false;
              return Number(&SimPlotterConfig::markPolls, 0)(c, text);
          }}},
        {"--marks-fail-after",
         {true,
          [](SimPlotterConfig& c, const std::string& text) {
              c.marksFail = true;
              return Number(&SimPlotterConfig::markPolls, 0)(c, text);
          }}},
        {"--test-cut-waits-for-enter", {false, Flag(&SimPlotterConfig::testCutWaitsForEnter)}},
        {"--unplug-after", {true, Number(&SimPlotterConfig::unplugAfter, 0)}},
        {"--unplug-ms", {true, Number(&SimPlotterConfig::unplugMs, 0)}},
        {"--late-replies", {true, Number(&SimPlotterConfig::lateReplies, 0)}},
        {"--unplug-at-byte", {true, Number(&SimPlotterConfig::unplugAtByte, 0)}},
        {"--hold-after", {true, Number(&SimPlotterConfig::holdAfter, 0)}},
        {"--hold-ms", {true, Number(&SimPlotterConfig::holdMs, 0)}},
        {"--chunk", {true, Number(&SimPlotterConfig::chunk, 1)}},
        {"--byte-rate", {true, Number(&SimPlotterConfig::byteRate, 1)}},
        {"--pause-at-byte", {true, Number(&SimPlotterConfig::pauseAtByte, 0)}},
        {"--pause-ms", {true, Number(&SimPlotterConfig::pauseMs, 0)}},
        {"--stall-at-byte", {true, Number(&SimPlotterConfig::stallAtByte, 0)}},
    };
    return options;
}

class COptionParser {
public:
    explicit COptionParser(std::string& error) : m_strError(error) {}

    bool Parse(const std::vector<std::string>& args, int depth);
    SimOptions Finish();

private:
    bool Apply(const std::string& name, const std::string& value);
    bool ReadScript(const std::string& path, int depth);
    bool Fail(const std::string& reason) {
        m_strError = reason;
        return false;
    }

    std::string& m_strError;
    SimPlotterConfig m_defaults;
    SimOptions m_options;
};

bool COptionParser::Apply(const std::string& name, const std::string& value) {
    if (name == "--model") {
        const std::optional<std::string> model = CanonicalModel(value);
        if (!model) {
            return Fail("unknown model: " + value);
        }
        m_options.plotters.push_back(m_defaults);
        m_options.plotters.back().modelType = *model;
        return true;
    }
    const auto option = Options().find(name);
    if (option == Options().end()) {
        return Fail("unknown option: " + name);
    }
    SimPlotterConfig& target = m_options.plotters.empty() ? m_defaults : m_options.plotters.back();
    if (!option->second.apply(target, value)) {
        return Fail("bad value for " + name + ": " + value);
    }
    return true;
}

bool COptionParser::ReadScript(const std::string& path, int depth) {
    if (depth > 4) {
        return Fail("scripts nested too deeply: " + path);
    }
    std::ifstream file(path);
    if (!file) {
        return Fail("cannot read script: " + path);
    }
    std::vector<std::string> args;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#') {
            continue;
        }
        const std::size_t end = line.find_last_not_of(" \t\r");
        const std::string content = line.substr(start, end - start + 1);
        const std::size_t gap = content.find_first_of(" \t");
        args.push_back("--" + content.substr(0, gap));
        if (gap != std::string::npos) {
            args.push_back(content.substr(content.find_first_not_of(" \t", gap)));
        }
    }
    return Parse(args, depth + 1);
}

bool COptionParser::Parse(const std::vector<std::string>& args, int depth) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            if (depth > 0) {
                return Fail("a script cannot name a command");
            }
            m_options.command.assign(args.begin() + static_cast<long>(i) + 1, args.end());
            if (m_options.command.empty()) {
                return Fail("no command after --");
            }
            return true;
        }
        if (arg == "--help" || arg == "-h") {
            m_options.help = true;
            continue;
        }
        const bool isModel = arg == "--model";
        const bool isScript = arg == "--script";
        const auto option = Options().find(arg);
        if (!isModel && !isScript && option == Options().end()) {
            return Fail("unknown option: " + arg);
        }
        const bool takesValue = isModel || isScript || option->second.takesValue;
        std::string value;
        if (takesValue) {
            if (i + 1 >= args.size()) {
                return Fail("missing value for " + arg);
            }
            value = args[++i];
        }
        if (isScript ? !ReadScript(value, depth) : !Apply(arg, value)) {
            return false;
        }
    }
    return true;
}

SimOptions COptionParser::Finish() {
    if (m_options.plotters.empty()) {
        m_options.plotters.push_back(m_defaults);
        m_options.plotters.back().modelType = std::string(CSimPlotter::kModelTypes[0]);
    }
    // One log file per plotter: a log path shared through the defaults gets the plotter's
    // number from the second plotter on.
    for (std::size_t i = 1; i < m_options.plotters.size(); ++i) {
        SimPlotterConfig& plotter = m_options.plotters[i];
        for (std::string SimPlotterConfig::*path :
             {&SimPlotterConfig::logPath, &SimPlotterConfig::jobLogPath}) {
            if (!(plotter.*path).empty() && plotter.*path == m_defaults.*path) {
                plotter.*path += "." + std::to_string(i);
            }
        }
    }
    return m_options;
}

} // namespace

unsigned DefaultVendorId() {
    static const std::string_view token = QUIRN_USB_VENDOR_TOKEN;
    static const unsigned id = static_cast<unsigned>(
        ParseNumber(std::string(token.substr(token.find('_') + 1)), 0, 16).value_or(0));
    return id;
}

std::optional<std::string> Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i >= text.size()) {
            return std::nullopt;
        }
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'e':
            out += '\x1b';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case '0':
            out += '\0';
            break;
        case 'x': {
            const std::optional<int> value =
                i + 2 < text.size() ? ParseNumber(text.substr(i + 1, 2), 0, 16) : std::nullopt;
            if (!value) {
                return std::nullopt;
            }
            out += static_cast<char>(*value);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    COptionParser parser(error);
    if (!parser.Parse(args, 0)) {
        return std::nullopt;
    }
    return parser.Finish();
}

CSimPlotter MakePlotter(const SimPlotterConfig& config) {
    CSimPlotter plotter(config.modelType);
    if (!config.firmware.empty()) {
        plotter.m_strFirmware = config.firmware;
    }
    if (config.stepSize >= 0) {
        plotter.m_nStepSize = config.stepSize;
    }
    plotter.m_nStatus = config.status;
    plotter.m_nStatusReplies = config.statusReplies;
    plotter.m_bAnswerModelQuery = config.answerModelQuery;
    plotter.m_bMalformedReplies = config.malformedReplies;
    plotter.m_replyOverrides = config.replyOverrides;
    plotter.m_nReplyLength = static_cast<std::size_t>(config.replyLength);
    plotter.m_nZeroBytes = static_cast<std::size_t>(config.zeroBytes);
    if (config.lightPointer) {
        plotter.m_nTool = 8;
    }
    if (config.otherCommandSet) {
        plotter.m_nCommandSet = 1;
    }
    if (config.markPolls >= 0) {
        plotter.m_markReadReplies.assign(static_cast<std::size_t>(config.markPolls), "1");
        plotter.m_markReadReplies.push_back(config.marksFail ? "10" : "2");
    }
    if (config.testCutWaitsForEnter) {
        plotter.m_enterReplies = {"0", "6", "8"};
    }
    return plotter;
}

std::string DeviceIdFor(const SimPlotterConfig& config) {
    if (!config.deviceId.empty()) {
        return config.deviceId;
    }
    std::string id = "MANUFACTURER:Morvalin;COMMAND SET:QV-CL;MODEL:" +
                     std::string(CSimPlotter::UsbModelFor(config.modelType)) + ";";
    if (config.hugeDeviceId) {
        id.append(64 * 1024, 'X');
    }
    return id;
}

const char* SimUsage() {
    return R"(Usage: plottersim [OPTION]... [-- COMMAND [ARG]...]

Makes simulated Morvalin cutting plotters appear as USB printers (/sys/class/usbmisc/lpN,
/dev/usb/lpN) through umockdev. With a COMMAND, runs it under the umockdev preload, serves
the plotters until it ends and exits with its exit code. Without one, prints
UMOCKDEV_DIR=<folder> and serves until interrupted; run programs against it with
  UMOCKDEV_DIR=<folder> umockdev-wrapper PROGRAM

Options before the first --model apply to every plotter; options after a --model apply
to that plotter only. Without --model there is one WX8800-60.

Plotters
  --model TYPE              add a plotter: WX8800-60, WX8800-75, WX8800-100, WX8800-130,
                            WX8800-160, Nimbo-Pro2, "Nimbo Pro S", RX3600-40, RX3600-60,
                            RX3600-120 (letter case is free)
  --firmware TEXT           firmware version reported with the model (default V1.20)
  --step-size N             step size index 0-3: 10, 20, 40, 100 steps/mm (default 1)
  --log FILE                write every byte the plotter receives to FILE; given
                            before --model it is shared: the first plotter writes
                            FILE, the second FILE.1, the third FILE.2 ...
  --job-log FILE            write the drawing data alone to FILE: the bytes that were
                            neither device-control requests nor setting commands the
                            plotter understood (what a cutting job sent); numbered
                            per plotter like --log, complete when plottersim ends
  --script FILE             read options from FILE, one per line without the leading
                            dashes ("model RX3600-60", "status 33"); '#' starts a comment

USB appearance
  --device-id TEXT          IEEE 1284 device ID, e.g. one without ";" (escapes below)
  --huge-device-id          a valid device ID followed by 64 KiB of filler
  --devname NAME            device node below /dev instead of usb/lpN
  --vendor-id HEX           USB vendor ID (default: the one libzefralink is built to
                            look for, normally 7a6d)
  --unplug-after N          the request after the N-th makes the device disappear
                            (that request is lost) ...
  --unplug-ms MS            ... for MS milliseconds, then it comes back (default 3000)
  --unplug-at-byte N        the device is pulled out once it has taken N bytes of
                            requests, in the middle of a request or before its reply:
                            descriptors open on it hang up (needs root); back after
                            --unplug-ms
  --hold-after N            after the N-th request (0: from the start) another program
                            holds the node: opens fail with EBUSY, as on usblp ...
  --hold-ms MS              ... for MS milliseconds (default 3000). A program running as
                            root ignores the hold, so the COMMAND runs without
                            CAP_SYS_ADMIN then
  SIGUSR1, SIGUSR2          pull every plotter out (open descriptors hang up, needs
                            root) / plug them back in

Faults
  --status N                status reply number (0 ready; low five bits: not ready)
  --busy                    status 2 (cutting)
  --not-ready               status 1 (media lever raised)
  --status-replies N        only the first N status queries get the status, then ready
  --no-model-answer         no reply to the model and firmware query (old firmware)
  --malformed               every reply is "x"
  --reply KEY=BYTES         raw reply bytes for one query, ETX not added: KEY is the query
                            without ESC "." and ":" (C31;13, C31;33;2) or TC23; an empty
                            BYTES means no reply. Example: --reply 'C31;13=99\x03'
  --reply-delay MS          send each reply MS milliseconds late
  --late-replies N          ... only the first N replies, the later ones at once
  --reply-length N          pad replies with leading blanks to N bytes (600: the ETX
                            lies beyond the 512 bytes a reader keeps)
  --zero-bytes N            put N zero bytes between each reply text and its ETX
  --light-pointer           the light pointer is the selected tool
  --hpgl                    the other command set (HP-GL) is active
  --marks-succeed-after N   mark reading reports "reading" N times, then success
  --marks-fail-after N      mark reading reports "reading" N times, then failure
  --test-cut-waits-for-enter a test cut stops and waits for Enter
  --chunk N                 take at most N bytes from the node at a time, so requests
                            arrive in pieces

A slow plotter (bytes counted from the start, requests included)
  --byte-rate N             take at most N bytes per second
  --pause-at-byte N         after N bytes, take nothing (paused, out of medium) ...
  --pause-ms MS             ... for MS milliseconds (default 3000), then go on
  --stall-at-byte N         after N bytes, never take anything again; replies still
                            go out

Escapes in TEXT and BYTES: \\ \e (ESC) \n \r \t \0 \xNN
  -h, --help                show this help
)";
}
