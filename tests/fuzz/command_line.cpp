// Launch parameters: the command line parser, then the launch values applied on a model.
// Input: the arguments, one a line. The model is the one MODEL or DEMO names, else one picked
// by the input's length.
//
// Contract: every parsed field holds a value of its documented domain, and folding the
// arguments to capitals changes none (keywords ignore case, and so do numbers); applying
// shows only the launch-value messages, one for each value it drops, and every value it keeps
// lies inside the model's range.
#include "FuzzCheck.h"

#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/launch/LaunchValues.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "tests/core/messages/CRecordingMessageSink.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

CControllerCommandLine Parse(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv{"quirn"};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    CControllerCommandLine cl;
    cl.ParseArguments(static_cast<int>(argv.size()), argv.data());
    return cl;
}

auto Numbers(const CControllerCommandLine& cl) {
    return std::tuple(cl.m_bDemo, cl.m_bModel, cl.m_bSkipQueueCheck, cl.m_bForceController,
                      cl.m_bCutMode, cl.m_bDesignOrient, cl.m_nDesignOrient, cl.m_bMediaOrient,
                      cl.m_nMediaOrient, cl.m_bMarkDistance, cl.m_dMarkDistX, cl.m_dMarkDistY,
                      cl.m_bCorrection, cl.m_nCorrection, cl.m_bMarkType, cl.m_nMarkType,
                      cl.m_bMarkStep, cl.m_dMarkStep, cl.m_bMarkLength, cl.m_dMarkLength,
                      cl.m_bMarkThickness, cl.m_dMarkThickness, cl.m_bNoMarks, cl.m_bOwner,
                      cl.m_hOwner);
}

bool Flag(int value) {
    return value == 0 || value == 1;
}

void CheckParsed(const CControllerCommandLine& cl) {
    for (const int flag : {cl.m_bDemo, cl.m_bModel, cl.m_bSkipQueueCheck, cl.m_bForceController,
                           cl.m_bCutMode, cl.m_bDesignOrient, cl.m_bMediaOrient, cl.m_bMarkDistance,
                           cl.m_bCorrection, cl.m_bMarkType, cl.m_bMarkStep, cl.m_bMarkLength,
                           cl.m_bMarkThickness, cl.m_bNoMarks, cl.m_bOwner}) {
        FUZZ_CHECK(Flag(flag));
    }
    FUZZ_CHECK(cl.m_nDesignOrient >= 0 && cl.m_nDesignOrient <= 2);
    FUZZ_CHECK(cl.m_nMediaOrient >= 0 && cl.m_nMediaOrient <= 2);
    FUZZ_CHECK(cl.m_nCorrection >= 0 && cl.m_nCorrection <= 4);
    FUZZ_CHECK(cl.m_nMarkType >= 0 && cl.m_nMarkType <= 2);
    for (const double mm : {cl.m_dMarkDistX, cl.m_dMarkDistY, cl.m_dMarkStep, cl.m_dMarkLength,
                            cl.m_dMarkThickness}) {
        FUZZ_CHECK(std::isfinite(mm));
    }
    FUZZ_CHECK(cl.m_hOwner >= INT32_MIN && cl.m_hOwner <= INT32_MAX);
}

// Micrometres from a millimetre range: trunc(mm x 1000) for an mm value inside it.
bool InUm(int um, const DoubleRange& mm) {
    return mm.dMax > kNoValueD && um >= std::trunc(mm.dMin * 1000) &&
           um <= std::trunc(mm.dMax * 1000);
}

// The model MODEL or DEMO names, else one picked by `size`. Built once: building one costs
// more than a run.
const CPlotterModel& ModelFor(const CControllerCommandLine& cl, std::size_t size) {
    static const std::array<CPlotterModel, kModelCount> models = [] {
        std::array<CPlotterModel, kModelCount> all;
        for (int i = 0; i < kModelCount; ++i) {
            all[i].Identify(ModelTable()[i].pszTypeString);
        }
        return all;
    }();
    for (const std::string& name : {cl.m_strModel, cl.m_strDemoModel}) {
        CPlotterModel named;
        if (named.Identify(name)) {
            return models[named.ModelIndex()];
        }
    }
    return models[size % kModelCount];
}

void CheckApplied(CControllerCommandLine cl, const CPlotterModel& model) {
    const CControllerCommandLine parsed = cl;
    CControllerSettings settings(true);
    CScopedRecordingSink recorded;
    CLaunchValues(cl, settings, model).Apply();

    int dropped = 0;
    for (const auto& [given, kept] : {std::pair(parsed.m_bDesignOrient, cl.m_bDesignOrient),
                                      std::pair(parsed.m_bMediaOrient, cl.m_bMediaOrient),
                                      std::pair(parsed.m_bMarkDistance, cl.m_bMarkDistance),
                                      std::pair(parsed.m_bCorrection, cl.m_bCorrection),
                                      std::pair(parsed.m_bMarkType, cl.m_bMarkType),
                                      std::pair(parsed.m_bMarkStep, cl.m_bMarkStep),
                                      std::pair(parsed.m_bMarkLength, cl.m_bMarkLength),
                                      std::pair(parsed.m_bMarkThickness, cl.m_bMarkThickness)}) {
        FUZZ_CHECK(kept == 0 || given == 1);
        dropped += given == 1 && kept == 0 ? 1 : 0;
    }
    const auto& shown = recorded.Sink().m_vecShown;
    FUZZ_CHECK(cl.m_bNoMarks || static_cast<int>(shown.size()) == dropped);
    FUZZ_CHECK(static_cast<int>(shown.size()) <= dropped);
    for (const MessageBoxRequest& box : shown) {
        FUZZ_CHECK(box.text.find("[code = 14") != std::string::npos);
    }

    const MarkRange r = model.MarkRanges();
    FUZZ_CHECK(Flag(settings.m_nImageType) && Flag(settings.m_nMediaOrient));
    FUZZ_CHECK(settings.m_nTmbReadType >= 0 && settings.m_nTmbReadType <= 3);
    FUZZ_CHECK(Flag(settings.m_nTmbType));
    if (cl.m_bMarkDistance) {
        const bool across = settings.m_nMediaOrient == 1;
        FUZZ_CHECK(InUm(settings.m_nTomboDisX, across ? r.acrossMm : r.alongMm));
        FUZZ_CHECK(InUm(settings.m_nTomboDisY, across ? r.alongMm : r.acrossMm));
        FUZZ_CHECK(settings.m_bTomboRead == 1);
    }
    FUZZ_CHECK(!cl.m_bMarkStep || InUm(settings.m_nTmbStep, r.stepMm));
    FUZZ_CHECK(!cl.m_bMarkLength || InUm(settings.m_nTmbLength, r.lengthMm));
    FUZZ_CHECK(!cl.m_bMarkThickness || InUm(settings.m_nTmbThickness, r.thicknessMm));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    for (const std::string_view line :
         SplitInput(std::string_view(reinterpret_cast<const char*>(data), size), '\n')) {
        arguments.emplace_back(line.substr(0, line.find('\0')));
    }
    const CControllerCommandLine cl = Parse(arguments);
    CheckParsed(cl);

    std::vector<std::string> capitals = arguments;
    for (std::string& argument : capitals) {
        for (char& c : argument) {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
    }
    FUZZ_CHECK(Numbers(Parse(capitals)) == Numbers(cl));

    CheckApplied(cl, ModelFor(cl, size));
    return 0;
}
