#include "core/ControllerCommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Keywords are plain ASCII words, so letter case is folded without regard to the locale:
// a Turkish "i" must not turn "LM" or "TBM" into unknown keywords.
bool EqualsNoCase(const char* text, const char* word) {
    for (; *text && *word; ++text, ++word) {
        if (Lower(*text) != Lower(*word)) {
            return false;
        }
    }
    return *text == *word;
}

bool StartsWithNoCase(const char* text, const char* word) {
    for (; *word; ++text, ++word) {
        if (!*text || Lower(*text) != Lower(*word)) {
            return false;
        }
    }
    return true;
}

// "%lf": leading blanks skipped, the longest leading number taken. A value that is no finite
// number (nothing readable, or "inf"/"nan") leaves the field as it was: no length or distance
// can be infinite, and converting one to micrometres would overflow.
void ReadDouble(const char* text, double& field) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end != text && std::isfinite(value)) {
        field = value;
    }
}

// "%d": leading blanks skipped, an optional sign and decimal digits. A number beyond the
// 32-bit range names no window and leaves the handle as it was.
void ReadInt(const char* text, long long& field) {
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max()) {
        return;
    }
    field = value;
}

bool IsOneChar(const char* text, char c) {
    return text[0] == c && text[1] == '\0';
}

} // namespace

void CControllerCommandLine::ParseParam(const char* text, bool isFlag, bool /*isLast*/) {
    if (isFlag) {
        ParseKeyword(text);
    } else {
        ParseValue(text);
    }
}

void CControllerCommandLine::ParseKeyword(const char* text) {
    m_nPending = Pending::None;

    // Sets the pending state and hands the text behind the first n characters on as a value.
    const auto withTail = [this, text](Pending pending, std::size_t n) {
        m_nPending = pending;
        ParseValue(text + n);
    };

    if (EqualsNoCase(text, "DEMO")) {
        m_bDemo = 1;
        m_nPending = Pending::DemoModel;
    } else if (StartsWithNoCase(text, "DEMO,")) {
        m_bDemo = 1;
        withTail(Pending::DemoModel, 5);
    } else if (EqualsNoCase(text, "MODEL")) {
        m_bModel = 1;
        m_nPending = Pending::ModelName;
    } else if (StartsWithNoCase(text, "MODEL,")) {
        m_bModel = 1;
        withTail(Pending::ModelName, 6);
    } else if (EqualsNoCase(text, "LM")) {
        m_bSkipQueueCheck = 1;
    } else if (EqualsNoCase(text, "RM")) {
        m_bForceController = 1;
    } else if (EqualsNoCase(text, "CUTMODE")) {
        m_bCutMode = 1;
    } else if (StartsWithNoCase(text, "IR")) {
        m_bDesignOrient = 1;
        withTail(Pending::DesignOrient, 2);
    } else if (StartsWithNoCase(text, "FN")) {
        m_bMediaOrient = 1;
        withTail(Pending::MediaOrient, 2);
    } else if (EqualsNoCase(text, "TB2x") || EqualsNoCase(text, "TB23")) {
        m_bMarkDistance = 1;
        m_nPending = Pending::MarkDistX;
    } else if (StartsWithNoCase(text, "TB2x,") || StartsWithNoCase(text, "TB23,")) {
        m_bMarkDistance = 1;
        const char* tail = text + 5;
        withTail(Pending::MarkDistX, 5);
        if (const char* comma = std::strchr(tail, ',')) {
            m_nPending = Pending::MarkDistY;
            ParseValue(comma + 1);
        }
    } else if (EqualsNoCase(text, "TBM")) {
        m_bCorrection = 1;
        m_nPending = Pending::Correction;
    } else if (StartsWithNoCase(text, "TBM,")) {
        m_bCorrection = 1;
        withTail(Pending::Correction, 4);
    } else if (EqualsNoCase(text, "TB52")) {
        m_bMarkType = 1;
        m_nPending = Pending::MarkType;
    } else if (StartsWithNoCase(text, "TB52,")) {
        m_bMarkType = 1;
        withTail(Pending::MarkType, 5);
    } else if (EqualsNoCase(text, "TBS")) {
        m_bMarkStep = 1;
        m_nPending = Pending::MarkStep;
    } else if (StartsWithNoCase(text, "TBS,")) {
        m_bMarkStep = 1;
        withTail(Pending::MarkStep, 4);
    } else if (EqualsNoCase(text, "TB51")) {
        m_bMarkLength = 1;
        m_nPending = Pending::MarkLength;
    } else if (StartsWithNoCase(text, "TB51,")) {
        m_bMarkLength = 1;
        withTail(Pending::MarkLength, 5);
    } else if (EqualsNoCase(text, "TB53")) {
        m_bMarkThickness = 1;
        m_nPending = Pending::MarkThickness;
    } else if (StartsWithNoCase(text, "TB53,")) {
        m_bMarkThickness = 1;
        withTail(Pending::MarkThickness, 5);
    } else if (EqualsNoCase(text, "NOTRM")) {
        m_bNoMarks = 1;
    } else if (StartsWithNoCase(text, "OWNER")) {
        m_bOwner = 1;
        withTail(Pending::Owner, 5);
    } else if (EqualsNoCase(text, "CUTPLOTTER")) {
        m_bCutPlotter = 1;
        m_nPending = Pending::CutPlotterFile;
    } else if (StartsWithNoCase(text, "CUTPLOTTER,")) {
        m_bCutPlotter = 1;
        withTail(Pending::CutPlotterFile, 11);
    }
}

void CControllerCommandLine::ParseValue(const char* text) {
    const bool empty = *text == '\0';
    switch (m_nPending) {
    case Pending::None:
        break;
    case Pending::DemoModel:
        m_strDemoModel = text;
        break;
    case Pending::ModelName:
        m_strModel = text;
        break;
    case Pending::DesignOrient:
        if (IsOneChar(text, '0') || IsOneChar(text, '1')) {
            m_nDesignOrient = text[0] - '0';
        }
        break;
    case Pending::MediaOrient:
        if (IsOneChar(text, '0') || IsOneChar(text, '1')) {
            m_nMediaOrient = text[0] - '0';
        }
        break;
    case Pending::MarkDistX:
        if (!empty) {
            ReadDouble(text, m_dMarkDistX);
            m_nPending = Pending::MarkDistY;
        }
        break;
    case Pending::MarkDistY:
        if (!empty) {
            ReadDouble(text, m_dMarkDistY);
        }
        break;
    case Pending::Correction:
        // The callers number the methods 2..5.
        if (text[0] >= '2' && text[0] <= '5' && text[1] == '\0') {
            m_nCorrection = text[0] - '2';
        }
        break;
    case Pending::MarkType:
        if (IsOneChar(text, '1') || IsOneChar(text, '2')) {
            m_nMarkType = text[0] - '1';
        }
        break;
    case Pending::MarkStep:
        if (!empty) {
            ReadDouble(text, m_dMarkStep);
        }
        break;
    case Pending::MarkLength:
        if (!empty) {
            ReadDouble(text, m_dMarkLength);
        }
        break;
    case Pending::MarkThickness:
        if (!empty) {
            ReadDouble(text, m_dMarkThickness);
        }
        break;
    case Pending::Owner:
        if (!empty) {
            ReadInt(text, m_hOwner);
        }
        break;
    case Pending::CutPlotterFile:
        if (!empty) {
            m_strCutPlotterFile = text;
        }
        break;
    }
}

void CControllerCommandLine::ParseArguments(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        const bool isFlag = argument[0] == '-' || argument[0] == '/';
        ParseParam(isFlag ? argument + 1 : argument, isFlag, i == argc - 1);
    }
}
