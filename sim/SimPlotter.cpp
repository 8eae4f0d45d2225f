#include "sim/SimPlotter.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

// Requests longer than these without their closing ':' or ETX are noise, not requests being
// assembled; they are dropped instead of piling up.
constexpr std::size_t kMaxQueryLength = 64;
constexpr std::size_t kMaxCommandLength = 256;

constexpr std::array<std::string_view, 10> kUsbModels = {
    "WX8800",       "WX8800",       "WX8800", "WX8800", "WX8800",
    "RX2400-40-NP", "RX3600-40-NP", "RX3600", "RX3600", "RX3600"};

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at - start));
        if (at == std::string_view::npos) {
            return parts;
        }
        start = at + 1;
    }
}

// "TC4,2" -> letters "TC", number 4, args {2}; "TC7," -> no args. A trailing comma ends
// the parameter list; any other empty or non-numeric field makes the command unknown.
struct ParsedCommand {
    std::string letters;
    int number = 0;
    std::vector<int> args;
};

std::optional<ParsedCommand> ParseCommand(std::string_view text) {
    if (text.size() < 3 || (text.substr(0, 2) != "TC" && text.substr(0, 2) != "TB")) {
        return std::nullopt;
    }
    ParsedCommand parsed;
    parsed.letters = std::string(text.substr(0, 2));
    std::vector<std::string_view> fields = Split(text.substr(2), ',');
    if (fields.size() > 1 && fields.back().empty()) {
        fields.pop_back();
    } else if (fields.size() == 1) {
        return std::nullopt; // every command carries a comma after its number
    }
    const std::optional<int> number = ParseInt(fields[0]);
    if (!number) {
        return std::nullopt;
    }
    parsed.number = *number;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const std::optional<int> value = ParseInt(fields[i]);
        if (!value) {
            return std::nullopt;
        }
        parsed.args.push_back(*value);
    }
    return parsed;
}

// Where the setting command at the end of `text` begins; 0 when no tail reads as one.
std::size_t CommandStart(std::string_view text) {
    for (std::size_t at = text.find('T'); at != std::string_view::npos;
         at = text.find('T', at + 1)) {
        if (ParseCommand(text.substr(at))) {
            return at;
        }
    }
    return 0;
}

std::string Flag(int value) {
    return std::to_string(value);
}

} // namespace

std::string_view CSimPlotter::UsbModelFor(std::string_view modelType) {
    for (std::size_t i = 0; i < kModelTypes.size(); ++i) {
        if (kModelTypes[i] == modelType) {
            return kUsbModels[i];
        }
    }
    return {};
}

bool CSimPlotter::IsKnownModel(std::string_view modelType) {
    return !UsbModelFor(modelType).empty();
}

CSimPlotter::CSimPlotter(std::string_view modelType) : m_strModel(modelType) {}

void CSimPlotter::Receive(std::string_view bytes) {
    m_strLog.append(bytes);
    m_strPending.append(bytes);
    for (;;) {
        if (m_strPending.empty()) {
            return;
        }
        if (m_strPending[0] == kEsc) {
            const std::size_t colon = m_strPending.find(':');
            const std::size_t nextEsc = m_strPending.find(kEsc, 1);
            if (nextEsc != std::string::npos && (colon == std::string::npos || nextEsc < colon)) {
                // An unfinished query followed by a new one: the first is lost.
                m_unknown.push_back(m_strPending.substr(0, nextEsc));
                m_strPending.erase(0, nextEsc);
                continue;
            }
            if (colon == std::string::npos) {
                if (m_strPending.size() > kMaxQueryLength) {
                    m_unknown.push_back(m_strPending);
                    m_strPending.clear();
                }
                return;
            }
            const std::string query = m_strPending.substr(0, colon + 1);
            m_strPending.erase(0, colon + 1);
            if (query.size() < 4 || query[1] != '.') {
                m_unknown.push_back(query);
                continue;
            }
            HandleQuery(query.substr(2, query.size() - 3));
            continue;
        }
        const std::size_t etx = m_strPending.find(kEtx);
        const std::size_t esc = m_strPending.find(kEsc);
        if (esc != std::string::npos && (etx == std::string::npos || esc < etx)) {
            // Text without its ETX before a query is no command: drawing data.
            TakeAsJob(m_strPending.substr(0, esc));
            m_strPending.erase(0, esc);
            continue;
        }
        if (etx == std::string::npos) {
            if (m_strPending.size() > kMaxCommandLength) {
                TakeAsJob(std::move(m_strPending));
                m_strPending.clear();
            }
            return;
        }
        const std::string text = m_strPending.substr(0, etx);
        m_strPending.erase(0, etx + 1);
        // Drawing data may run straight into a setting command: the command is the tail that
        // reads as one.
        const std::size_t start = CommandStart(text);
        if (start > 0) {
            TakeAsJob(text.substr(0, start));
        }
        HandleCommand(text.substr(start));
    }
}

void CSimPlotter::TakeAsJob(std::string text) {
    m_strJob += text;
    m_unknown.push_back(std::move(text));
}

void CSimPlotter::EndOfInput() {
    if (!m_strPending.empty() && m_strPending[0] != kEsc) {
        TakeAsJob(std::move(m_strPending));
    }
    m_strPending.clear();
}

void CSimPlotter::DiscardUnfinished() {
    if (!m_strPending.empty()) {
        m_unknown.push_back(m_strPending);
        m_strPending.clear();
    }
}

std::string CSimPlotter::TakeOutput() {
    std::string output;
    output.swap(m_strOutput);
    return output;
}

void CSimPlotter::HandleQuery(const std::string& body) {
    const std::vector<std::string_view> parts = Split(body, ';');
    const std::string_view head = parts[0];
    if (head == "C10" && parts.size() == 1) {
        m_bMarkReading = true;
        m_nMarkPolls = 0;
        m_nMarksRead = 0;
    } else if (head == "C12" && parts.size() == 1) {
        m_bMarkReading = false;
    } else if (head == "C14" && parts.size() == 1) {
        ++m_nEnterPresses;
        m_bEnterPressed = true;
    } else if (head == "C21" && parts.size() == 2 && ParseInt(parts[1])) {
        m_nJogMask = *ParseInt(parts[1]);
    } else {
        const std::string answer = AnswerFor(body);
        if (answer.empty()) {
            m_unknown.push_back(body);
            return;
        }
        m_commands.push_back(body);
        Reply(body, answer);
        return;
    }
    m_commands.push_back(body);
}

// The reply text of a query, or empty when the plotter does not know the query.
std::string CSimPlotter::AnswerFor(const std::string& key) {
    const std::vector<std::string_view> parts = Split(key, ';');
    if (parts[0] == "C1" && parts.size() == 1) {
        if (m_nStatusReplies == 0) {
            return "0";
        }
        if (m_nStatusReplies > 0) {
            --m_nStatusReplies;
        }
        return std::to_string(m_nStatus);
    }
    if (parts[0] == "C11" && parts.size() == 1) {
        return MarkReadReply();
    }
    if (parts[0] == "C13" && parts.size() == 1) {
        return EnterReply();
    }
    if (parts[0] != "C31" || parts.size() < 2) {
        return {};
    }
    if (parts.size() > 3) {
        return {};
    }
    const std::optional<int> number = ParseInt(parts[1]);
    if (!number) {
        return {};
    }
    if (parts.size() == 2) {
        switch (*number) {
        case 9:
            return m_strModel + "," + m_strFirmware;
        case 11:
            return std::to_string(m_nSpeed);
        case 12:
            return std::to_string(m_nQuality);
        case 13:
            return std::to_string(m_nForce);
        case 14:
            return std::to_string(m_nTool);
        case 15:
            return std::to_string(m_nOffset);
        case 16:
            return std::to_string(m_nStepSize + 1);
        case 17:
            return Flag(m_nMarksAvailable);
        case 20:
            return Flag(m_nMediaOrientation);
        case 24:
            return Flag(m_nCommandSet);
        case 25:
            return std::to_string(m_nPageLength);
        case 26:
            return Flag(m_nMirror);
        case 27:
            return Flag(m_nAutoPreFeed) + "," + std::to_string(m_nFeedLength);
        case 29:
            return std::to_string(m_nPenUpSpeed);
        case 30:
            return std::to_string(m_nOffsetAngle);
        case 31:
            return std::to_string(m_nStepPass);
        case 32:
            return std::to_string(m_nInitialDownForce);
        case 34:
            return Flag(m_nFanPower);
        default:
            return {};
        }
    }
    const std::optional<int> parsedSlot = ParseInt(parts[2]);
    if (!parsedSlot) {
        return {};
    }
    const int slot = *parsedSlot;
    if (*number == 33 && slot >= 1 && slot <= 9) {
        const SimDistanceAdjust& adjust = m_distanceAdjust[slot - 1];
        return Flag(adjust.on) + "," + std::to_string(adjust.lengthCode) + "," +
               std::to_string(adjust.widthCode);
    }
    if (*number == 28 && slot == 0) {
        return std::to_string(m_nTangentialMode);
    }
    if (*number == 28 && slot >= 11 && slot <= 19) {
        return std::to_string(m_tangentialModes[slot - 11]);
    }
    if (*number == 28 && slot >= 1 && slot <= 9) {
        const SimTangential& entry = m_tangential[slot - 1];
        return Flag(entry.on) + "," + std::to_string(entry.start) + "," + std::to_string(entry.end);
    }
    return {};
}

std::string CSimPlotter::MarkReadReply() {
    if (!m_bMarkReading || m_markReadReplies.empty()) {
        return "10";
    }
    const std::size_t at = std::min(m_nMarkPolls, m_markReadReplies.size() - 1);
    ++m_nMarkPolls;
    const std::string& reply = m_markReadReplies[at];
    if (reply == "2") {
        m_nMarksRead = 1;
    }
    return reply;
}

std::string CSimPlotter::EnterReply() {
    if (!m_bTestCutRunning || m_enterReplies.empty()) {
        return "8";
    }
    const std::size_t at = std::min(m_nEnterPolls, m_enterReplies.size() - 1);
    const std::string& reply = m_enterReplies[at];
    if (reply == "6") {
        if (!m_bEnterPressed) {
            return reply; // waits for Enter and does not go on by itself
        }
        m_bEnterPressed = false;
        ++m_nEnterPolls;
        return EnterReply();
    }
    ++m_nEnterPolls;
    if (reply == "8" || reply == "10") {
        m_bTestCutRunning = false;
    }
    return reply;
}

void CSimPlotter::Reply(const std::string& key, const std::string& text) {
    if (key == "C31;9" && !m_bAnswerModelQuery) {
        return;
    }
    const auto override = m_replyOverrides.find(key);
    if (override != m_replyOverrides.end()) {
        m_strOutput += override->second;
        return;
    }
    std::string reply = m_bMalformedReplies ? std::string("x") : text;
    reply.append(m_nZeroBytes, '\0');
    reply += kEtx;
    if (reply.size() < m_nReplyLength) {
        reply.insert(0, m_nReplyLength - reply.size(), ' ');
    }
    m_strOutput += reply;
}

void CSimPlotter::HandleCommand(const std::string& text) {
    const std::optional<ParsedCommand> parsed = ParseCommand(text);
    bool understood = false;
    if (parsed && parsed->letters == "TC" && parsed->number == 23 && parsed->args.empty()) {
        m_commands.push_back(text);
        Reply("TC23", Flag(m_nMarksRead));
        return;
    }
    if (parsed && parsed->letters == "TC") {
        understood = HandleSettingCommand(parsed->number, parsed->args, !parsed->args.empty());
    } else if (parsed) {
        understood = HandleMarkCommand(parsed->number, text, parsed->args);
    }
    if (understood) {
        m_commands.push_back(text);
    } else {
        m_strJob += text + kEtx;
        m_unknown.push_back(text);
    }
}

bool CSimPlotter::HandleSettingCommand(int number, const std::vector<int>& args, bool hasArgs) {
    if (!hasArgs) {
        switch (number) {
        case 7:
        case 8:
            ++(number == 7 ? m_nTestCuts : m_nFiveTestCuts);
            m_bTestCutRunning = true;
            m_nEnterPolls = 0;
            m_bEnterPressed = false;
            return true;
        case 10:
            m_bPanelConditions = true;
            return true;
        case 35:
            ++m_nCrossCuts;
            return true;
        case 36:
            ++m_nOriginMoves;
            return true;
        default:
            return false;
        }
    }
    if (args.size() == 1) {
        const int value = args[0];
        switch (number) {
        case 1:
            m_nSpeed = value;
            break;
        case 2:
            m_nQuality = value;
            break;
        case 3:
            m_nForce = value;
            break;
        case 4:
            m_nTool = value;
            break;
        case 5:
            m_nOffset = value;
            break;
        case 21:
            m_nMediaOrientation = value;
            return true;
        case 24:
            m_nCommandSet = value;
            return true;
        case 25:
            m_nPageLength = value;
            return true;
        case 26:
            m_nMirror = value;
            return true;
        case 29:
            m_nPenUpSpeed = value;
            return true;
        case 30:
            m_nOffsetAngle = value;
            return true;
        case 31:
            m_nStepPass = value;
            return true;
        case 32:
            m_nInitialDownForce = value;
            return true;
        case 34:
            m_nFanPower = value;
            return true;
        default:
            return false;
        }
        m_bPanelConditions = false; // a condition value from the controller
        return true;
    }
    if (number == 27 && args.size() == 2) {
        m_nAutoPreFeed = args[0];
        m_nFeedLength = args[1];
        return true;
    }
    if (number == 28 && args.size() == 2) {
        if (args[0] == 0) {
            m_nTangentialMode = args[1];
            return true;
        }
        if (args[0] >= 11 && args[0] <= 19) {
            m_tangentialModes[args[0] - 11] = args[1];
            return true;
        }
        return false;
    }
    if ((number == 28 || number == 33) && args.size() == 4 && args[0] >= 1 && args[0] <= 9) {
        if (number == 28) {
            m_tangential[args[0] - 1] = {args[1], args[2], args[3]};
        } else {
            m_distanceAdjust[args[0] - 1] = {args[1], args[2], args[3]};
        }
        return true;
    }
    return false;
}

bool CSimPlotter::HandleMarkCommand(int number, const std::string& text,
                                    const std::vector<int>& args) {
    if (args.empty()) {
        return number == 99;
    }
    if (args.size() == 1) {
        switch (number) {
        case 51:
            m_nMarkLength = args[0];
            return true;
        case 52:
            m_nMarkTypeCode = args[0];
            return true;
        case 53:
            m_nMarkThickness = args[0];
            return true;
        case 55:
            return args[0] == 1;
        default:
            break;
        }
    }
    const bool search =
        (number == 122 || number == 222)                                     ? args.size() == 1
        : (number == 123 || number == 223 || number == 124 || number == 224) ? args.size() == 2
        : (number == 125 || number == 225) ? args.size() == 4 && (args[2] == 0 || args[2] == 1)
                                           : false;
    if (search) {
        m_strMarkSearch = text;
    }
    return search;
}
