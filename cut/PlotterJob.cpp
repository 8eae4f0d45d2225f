#include "cut/PlotterJob.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr char kEsc = '\x1b';
constexpr char kEtx = '\x03';

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Bytes no text job holds: control characters besides blanks, ETX and ESC, and anything
// beyond ASCII.
bool IsBinary(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x7f || (byte < 0x20 && !IsBlank(c) && c != kEtx && c != kEsc);
    });
}

// One command as the tokenizers see it.
struct Command {
    std::size_t begin;
    std::size_t end;        // past its terminator and the blanks behind it
    bool condition = false; // a speed or force command, left out of the job
};

std::size_t SkipBlanks(std::string_view bytes, std::size_t at) {
    while (at < bytes.size() && IsBlank(bytes[at])) {
        ++at;
    }
    return at;
}

// A device-control instruction: ESC "." and a letter or sign, its parameters up to ':' for
// those that take any; ESC "%" (HP-GL/2 and PJL framing) up to its closing letter. Its end,
// or npos when it is none.
std::size_t DeviceControlEnd(std::string_view bytes, std::size_t at) {
    if (at + 2 >= bytes.size()) {
        return std::string_view::npos;
    }
    const char kind = bytes[at + 1];
    if (kind == '.') {
        const char what = bytes[at + 2];
        if (what == '(' || what == ')' || what == 'Y' || what == 'Z') {
            return at + 3;
        }
        const std::size_t colon = bytes.find(':', at + 2);
        return colon == std::string_view::npos ? colon : colon + 1;
    }
    if (kind == '%') {
        for (std::size_t i = at + 2; i < bytes.size(); ++i) {
            if (IsLetter(bytes[i])) {
                return i + 1;
            }
        }
    }
    return std::string_view::npos;
}

// The instructions of HP-GL and HP-GL/2. Text that merely happens to be letters in pairs
// (prose, a misnamed file) names others. A table of the 26 x 26 letter pairs, looked up once
// per command of jobs that have hundreds of thousands.
class CHpglMnemonics {
public:
    CHpglMnemonics() {
        static constexpr std::string_view kKnown =
            "AA AC AD AF AH AP AR AT BL BP BR BZ CA CC CF CI CM CO CP CR CS CT CV DC DF DI DL DP "
            "DR DS DT DV EA EC EP ER ES EW FI FN FP FR FS FT GC GM GP IM IN IP IR IV IW KY LA LB "
            "LM LO LT MC MG MT NP NR OA OC OD OE OF OG OH OI OK OL OO OP OS OT OW PA PB PC PD PE "
            "PG PM PR PS PT PU PW QL RA RF RO RP RR RT SA SB SC SD SG SI SL SM SP SR SS ST SV TD "
            "TL TR UC UF UL VS WD WG WU XT YT";
        for (std::size_t at = 0; at < kKnown.size(); at += 3) {
            m_known[Index(kKnown[at], kKnown[at + 1])] = true;
        }
    }
    // `first` and `second` are upper-case letters.
    bool Knows(char first, char second) const { return m_known[Index(first, second)]; }

private:
    static std::size_t Index(char first, char second) {
        return static_cast<std::size_t>(first - 'A') * 26 + static_cast<std::size_t>(second - 'A');
    }
    std::array<bool, 26 * 26> m_known{};
};

// Splits the bytes into commands: device-control instructions, and commands of two letters
// whose end `body(at, condition)` finds from their first letter (npos: no such command).
template <typename Body>
std::optional<std::vector<Command>> Split(std::string_view bytes, Body&& body) {
    std::vector<Command> commands;
    commands.reserve(bytes.size() / 8);
    std::size_t at = SkipBlanks(bytes, 0);
    while (at < bytes.size()) {
        Command command{at, at, false};
        if (bytes[at] == kEsc) {
            at = DeviceControlEnd(bytes, at);
        } else if (at + 1 < bytes.size() && IsLetter(bytes[at]) && IsLetter(bytes[at + 1])) {
            at = body(at, command.condition);
        } else {
            at = std::string_view::npos;
        }
        if (at == std::string_view::npos) {
            return std::nullopt;
        }
        at = SkipBlanks(bytes, at);
        command.end = at;
        commands.push_back(command);
    }
    return commands;
}

// HP-GL: a mnemonic of two letters, then parameters (numbers, separators, quoted strings) up
// to ';' or the next mnemonic; a label runs to its terminator (ETX unless DT chose another).
std::optional<std::vector<Command>> SplitHpgl(std::string_view bytes) {
    static const CHpglMnemonics mnemonics;
    char labelEnd = kEtx;
    return Split(bytes, [&](std::size_t at, bool& condition) -> std::size_t {
        constexpr std::size_t kNone = std::string_view::npos;
        const char first = static_cast<char>(std::toupper(bytes[at]));
        const char second = static_cast<char>(std::toupper(bytes[at + 1]));
        if (!mnemonics.Knows(first, second)) {
            return kNone;
        }
        const char name[] = {first, second};
        const std::string_view mnemonic(name, 2);
        condition = mnemonic == "VS" || mnemonic == "FS";
        at += 2;
        if (mnemonic == "LB") {
            const std::size_t end = bytes.find(labelEnd, at);
            return end == kNone ? kNone : end + 1;
        }
        if (mnemonic == "DT") {
            const bool chosen = at < bytes.size() && bytes[at] != ';' && bytes[at] != kEsc;
            labelEnd = chosen ? bytes[at++] : kEtx;
        }
        while (at < bytes.size() && bytes[at] != ';' && !IsLetter(bytes[at]) && bytes[at] != kEsc) {
            const char c = bytes[at];
            if (c == '"') {
                const std::size_t close = bytes.find('"', at + 1);
                if (close == kNone) {
                    return kNone;
                }
                at = close + 1;
                continue;
            }
            if (!std::isdigit(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.' &&
                c != ',' && !IsBlank(c)) {
                return kNone;
            }
            ++at;
        }
        return at < bytes.size() && bytes[at] == ';' ? at + 1 : at;
    });
}

// Native: commands of two letters and their text up to ETX, and device-control queries.
std::optional<std::vector<Command>> SplitNative(std::string_view bytes) {
    return Split(bytes, [&](std::size_t at, bool& condition) -> std::size_t {
        const std::size_t etx = bytes.find(kEtx, at);
        if (etx == std::string_view::npos) {
            return etx;
        }
        const std::string_view text = bytes.substr(at, etx - at);
        if (text.find(kEsc) != std::string_view::npos) {
            return std::string_view::npos;
        }
        // Speed "TC1,300" and force "TC3,14".
        condition = text.starts_with("TC1,") || text.starts_with("TC3,");
        return etx + 1;
    });
}

PlotterJob Assemble(JobLanguage language, std::string_view bytes,
                    const std::vector<Command>& commands) {
    PlotterJob job;
    job.language = language;
    job.commandEnds.reserve(commands.size());
    const bool whole = std::none_of(commands.begin(), commands.end(),
                                    [](const Command& command) { return command.condition; });
    if (whole) {
        job.bytes.assign(bytes);
        for (const Command& command : commands) {
            job.commandEnds.push_back(command.end);
        }
        return job;
    }
    job.bytes.reserve(bytes.size());
    for (const Command& command : commands) {
        if (command.condition) {
            ++job.droppedConditionCommands;
            continue;
        }
        job.bytes.append(bytes.substr(command.begin, command.end - command.begin));
        job.commandEnds.push_back(job.bytes.size());
    }
    return job;
}

} // namespace

int CommandSetOf(JobLanguage language) {
    return language == JobLanguage::Hpgl ? 1 : 0;
}

const char* NameOf(JobLanguage language) {
    return language == JobLanguage::Hpgl ? "HP-GL" : "QV-CL";
}

std::optional<PlotterJob> ReadPlotterJob(std::string_view bytes, std::string& problem) {
    if (SkipBlanks(bytes, 0) == bytes.size()) {
        problem = "holds no plotter commands";
        return std::nullopt;
    }
    if (IsBinary(bytes)) {
        problem = "holds binary data: it is neither an SVG drawing nor an HP-GL or QV-CL job";
        return std::nullopt;
    }
    if (const auto commands = SplitHpgl(bytes)) {
        return Assemble(JobLanguage::Hpgl, bytes, *commands);
    }
    if (const auto commands = SplitNative(bytes)) {
        return Assemble(JobLanguage::Native, bytes, *commands);
    }
    problem = "is neither an SVG drawing nor an HP-GL or QV-CL job";
    return std::nullopt;
}

std::string LiftToolCommand(JobLanguage language) {
    return language == JobLanguage::Hpgl ? "PU;" : std::string();
}
