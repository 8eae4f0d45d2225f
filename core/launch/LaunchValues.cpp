#include "core/launch/LaunchValues.h"

#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"

#include <cmath>
#include <limits>

namespace {

// Millimetres inside `range` (inclusive) converted to micrometres, truncated toward zero.
// False for NaN, infinities and anything outside the range or too large for an int.
bool ToMicrometres(double mm, const DoubleRange& range, int& um) {
    if (!std::isfinite(mm) || !range.Contains(mm)) {
        return false;
    }
    const double scaled = std::trunc(mm * 1000);
    if (scaled > std::numeric_limits<int>::max() || scaled < std::numeric_limits<int>::min()) {
        return false;
    }
    um = static_cast<int>(scaled);
    return true;
}

// Rejects a value: its flag is cleared and its message shown.
void Reject(int& flag, int code) {
    flag = 0;
    ShowMessage(code);
}

} // namespace

void CLaunchValues::Apply() {
    CControllerCommandLine& cl = m_commandLine;
    if (cl.m_bForceController) {
        m_settings.m_nCutCondSetting = 1;
    }
    if (cl.m_bNoMarks && !cl.m_bCutMode) {
        cl.m_bNoMarks = 0; // counts only together with CUTMODE
    }
    if (cl.m_bNoMarks) {
        m_settings.m_bTomboRead = 0;
        cl.m_bMarkDistance = cl.m_bCorrection = cl.m_bMarkType = 0;
        cl.m_bMarkStep = cl.m_bMarkLength = cl.m_bMarkThickness = 0;
    }
    if (cl.m_bDesignOrient) {
        if (cl.m_nDesignOrient == 0 || cl.m_nDesignOrient == 1) {
            m_settings.m_nImageType = cl.m_nDesignOrient;
        } else {
            Reject(cl.m_bDesignOrient, msg::kBadDesignOrientation);
        }
    }
    if (cl.m_bMediaOrient) {
        if (cl.m_nMediaOrient == 0 || cl.m_nMediaOrient == 1) {
            m_settings.m_nMediaOrient = cl.m_nMediaOrient;
        } else {
            Reject(cl.m_bMediaOrient, msg::kBadMediaOrientation);
        }
    }
    ApplyMarkDistance();
    ApplyFamilyChecks();
    ApplyMarkLengths();
}

void CLaunchValues::ApplyMarkDistance() {
    CControllerCommandLine& cl = m_commandLine;
    if (!cl.m_bMarkDistance) {
        return;
    }
    const MarkRange ranges = m_model.MarkRanges();
    const int orientation = m_settings.m_nMediaOrient;
    if (orientation != 0 && orientation != 1) {
        return;
    }
    // Media orientation 1 puts X across the medium, 0 puts it along.
    const DoubleRange& xRange = orientation == 1 ? ranges.acrossMm : ranges.alongMm;
    const DoubleRange& yRange = orientation == 1 ? ranges.alongMm : ranges.acrossMm;
    int x = 0;
    int y = 0;
    if (ToMicrometres(cl.m_dMarkDistX, xRange, x) && ToMicrometres(cl.m_dMarkDistY, yRange, y)) {
        m_settings.m_nTomboDisX = x;
        m_settings.m_nTomboDisY = y;
        m_settings.m_bTomboRead = 1;
    } else {
        Reject(cl.m_bMarkDistance, msg::kBadMarkDistance);
    }
}

void CLaunchValues::ApplyFamilyChecks() {
    CControllerCommandLine& cl = m_commandLine;
    const int family = m_model.FamilyIndex();
    if (family < 0 || family >= kFamilyCount) {
        return; // not a parameter of this family: ignored without a message
    }
    if (cl.m_bCorrection) {
        if (m_model.CheckCorrectionMethod(cl.m_nCorrection) == msg::kOk) {
            m_settings.m_nTmbReadType = cl.m_nCorrection;
        } else {
            Reject(cl.m_bCorrection, msg::kBadCorrectionMethod);
        }
    }
    if (cl.m_bMarkType) {
        if (m_model.CheckMarkType(cl.m_nMarkType) == msg::kOk) {
            m_settings.m_nTmbType = cl.m_nMarkType;
        } else {
            Reject(cl.m_bMarkType, msg::kBadMarkType);
        }
    }
}

void CLaunchValues::ApplyMarkLengths() {
    CControllerCommandLine& cl = m_commandLine;
    const MarkRange ranges = m_model.MarkRanges();
    struct Length {
        int& flag;
        double mm;
        const DoubleRange& range;
        int& target;
        int code;
    };
    const Length lengths[] = {
        {cl.m_bMarkStep, cl.m_dMarkStep, ranges.stepMm, m_settings.m_nTmbStep, msg::kBadMarkStep},
        {cl.m_bMarkLength, cl.m_dMarkLength, ranges.lengthMm, m_settings.m_nTmbLength,
         msg::kBadMarkLength},
        {cl.m_bMarkThickness, cl.m_dMarkThickness, ranges.thicknessMm, m_settings.m_nTmbThickness,
         msg::kBadMarkThickness},
    };
    for (const Length& length : lengths) {
        if (!length.flag) {
            continue;
        }
        if (!ToMicrometres(length.mm, length.range, length.target)) {
            Reject(length.flag, length.code);
        }
    }
}
