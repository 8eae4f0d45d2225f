// The plotter's replies through the port and every operation that parses one: the ready
// status, model and firmware, command set, panel settings, the selected condition, the
// advanced settings, the mark reading state, whether the marks were read, the Enter-wait
// state. Input: byte 0 picks the model, byte 1 the operation, the rest are the raw replies
// in turn, separated by line feeds; when they run out the plotter is silent (time-out).
//
// Contract: only the codes the operation documents; every value a reply put into a field lies
// inside that field's range for the model; a rejected reply changes nothing of its own.
#include "FuzzCheck.h"

#include "conditions/CuttingCondition.h"
#include "core/ControllerSettings.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "link/PlotterTransport.h"
#include "models/PlotterModel.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/MarkReading.h"
#include "protocol/PlotterQueries.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kUnset = -7; // outside every range a reply can reach

class CScriptedTransport : public IPlotterTransport {
public:
    explicit CScriptedTransport(std::vector<std::string_view> replies)
        : m_replies(std::move(replies)) {}

    int Write(const std::string&, int) override { return msg::kOk; }
    int Read(std::string& raw, int) override {
        if (m_nNext >= m_replies.size()) {
            return msg::kTimeout;
        }
        raw = m_replies[m_nNext++];
        return msg::kOk;
    }

private:
    std::vector<std::string_view> m_replies;
    std::size_t m_nNext = 0;
};

bool OneOf(int code, std::initializer_list<int> codes) {
    for (const int c : codes) {
        if (code == c) {
            return true;
        }
    }
    return false;
}

bool Flag(int value) {
    return value == 0 || value == 1;
}

bool UnsetOr(int value, bool inRange) {
    return value == kUnset || inRange;
}

// Micrometres from a millimetre range: trunc(mm x 1000) for an mm value inside it.
bool InUm(int um, const DoubleRange& mm) {
    return um >= std::trunc(mm.dMin * 1000) && um <= std::trunc(mm.dMax * 1000);
}

struct Link {
    CPlotterModel model;
    CControllerSettings settings{true};
    CPlotterPort port{model};
};

void CheckAdvanced(Link& link) {
    AdvancedSettings s;
    s.pageLength = s.offsetAngle = s.initialDownForce = s.stepPass = kUnset;
    s.autoPreFeed = s.feedLength = s.fanPower = s.mirror = s.tangentialMode = kUnset;
    s.distanceAdjust.fill({kUnset, 9.0, 9.0});
    s.tangentialModeSlot.fill(kUnset);
    s.tangential.fill({kUnset, kUnset, kUnset});
    CAdvancedSettingsLink advanced(link.port, link.model);
    const int read = advanced.ReadAdvancedSettings(s);
    FUZZ_CHECK(OneOf(read, {msg::kOk, msg::kReadFailed, msg::kTimeout}));
    const AdvancedRange r = link.model.AdvancedRanges();
    FUZZ_CHECK(UnsetOr(s.pageLength,
                       s.pageLength % 1000 == 0 && r.pageLengthMm.Contains(s.pageLength / 1000)));
    FUZZ_CHECK(UnsetOr(s.offsetAngle, r.offsetAngle.Contains(s.offsetAngle)));
    FUZZ_CHECK(UnsetOr(s.initialDownForce, r.initialDownForce.Contains(s.initialDownForce)));
    FUZZ_CHECK(UnsetOr(s.stepPass, r.stepPass.Contains(s.stepPass)));
    FUZZ_CHECK(UnsetOr(s.autoPreFeed, Flag(s.autoPreFeed)));
    FUZZ_CHECK((s.autoPreFeed == kUnset) == (s.feedLength == kUnset));
    FUZZ_CHECK(UnsetOr(s.feedLength,
                       s.feedLength % 1000 == 0 && r.feedLengthMm.Contains(s.feedLength / 1000)));
    FUZZ_CHECK(UnsetOr(s.fanPower, link.model.HasFanPower() && Flag(s.fanPower)));
    FUZZ_CHECK(UnsetOr(s.mirror, Flag(s.mirror)));
    for (const auto& d : s.distanceAdjust) {
        FUZZ_CHECK(d.on == kUnset || (Flag(d.on) && r.distanceAdjust.Contains(d.l) &&
                                      r.distanceAdjust.Contains(d.w)));
    }
    FUZZ_CHECK(UnsetOr(s.tangentialMode, link.model.AdvancedLayout() == 136 &&
                                             (s.tangentialMode == 1 || s.tangentialMode == 2)));
    for (const int mode : s.tangentialModeSlot) {
        FUZZ_CHECK(UnsetOr(mode, link.model.AdvancedLayout() == 137 && (mode == 1 || mode == 2)));
    }
    for (const auto& t : s.tangential) {
        FUZZ_CHECK(t.on == kUnset ||
                   (Flag(t.on) && InUm(t.start, r.tangentialMm) && InUm(t.end, r.tangentialMm)));
    }
    if (read == msg::kOk) {
        FUZZ_CHECK(s.pageLength != kUnset && s.mirror != kUnset);
        FUZZ_CHECK(s.tangential.back().on != kUnset);
    }
}

void CheckCondition(Link& link) {
    CPlotterQueries queries(link.port, link.model, link.settings);
    CuttingCondition c{"name", "unset", kUnset, kUnset, kUnset, kUnset};
    const int code = queries.ReadPlotterCondition(c);
    FUZZ_CHECK(
        OneOf(code, {msg::kOk, msg::kReadFailed, msg::kTimeout, msg::kLightPointerSelected}));
    FUZZ_CHECK(c.m_strName == "name");
    const BladeCatalogue& catalogue = link.model.Catalogue();
    const int blade = catalogue.IndexOfName(c.m_strBlade);
    FUZZ_CHECK(c.m_strBlade == "unset" || blade >= 0);
    const ConditionRange r = link.model.ConditionRanges();
    FUZZ_CHECK(UnsetOr(c.m_nForce, r.force.Contains(c.m_nForce)));
    FUZZ_CHECK(UnsetOr(c.m_nSpeed, r.speed.Contains(c.m_nSpeed)));
    FUZZ_CHECK(UnsetOr(c.m_nQuality, r.quality.Contains(c.m_nQuality)));
    // The plotter's offset is read in the pen or Other range for those rows, else in the
    // blade range (a tool series included, unlike a media list).
    const IntRange offset = blade == catalogue.PenAdapterIndex() ? r.offsetPen
                            : blade == catalogue.OtherIndex()    ? r.offsetOther
                                                                 : r.offsetBlade;
    FUZZ_CHECK(UnsetOr(c.m_nOffset, blade >= 0 && offset.Contains(c.m_nOffset)));
    FUZZ_CHECK(code != msg::kOk || c.m_nOffset != kUnset);
    FUZZ_CHECK(code != msg::kLightPointerSelected || c.m_strBlade == "unset");
}

void Run(Link& link, int operation) {
    CPlotterQueries queries(link.port, link.model, link.settings);
    CMarkReading marks(link.port, link.model, link.settings);
    CControllerSettings& settings = link.settings;
    switch (operation) {
    case 0: {
        const int code = link.port.CheckReady(false, true);
        FUZZ_CHECK(OneOf(code, {msg::kOk, msg::kReadFailed, msg::kPlotterNotReady, msg::kTimeout}));
        break;
    }
    case 1: {
        const std::string before = link.model.TypeString();
        const int code = queries.ReadFirmwareVersion();
        FUZZ_CHECK(OneOf(code, {msg::kOk, msg::kReadFailed, msg::kFirmwareUnsupported}));
        const std::string type = link.model.TypeString();
        const std::string& firmware = link.model.FirmwareVersion();
        // A model the program does not support ends the start, so only 1008 must keep it.
        FUZZ_CHECK(code == msg::kOk ? !type.empty()
                                    : code == msg::kFirmwareUnsupported || type == before);
        FUZZ_CHECK(firmware.find('\x03') == std::string::npos);
        FUZZ_CHECK(firmware.empty() || (firmware.front() != ' ' && firmware.back() != ' '));
        break;
    }
    case 2: {
        settings.m_bOtherCommandSet = kUnset;
        const int code = queries.ReadCommandSet();
        FUZZ_CHECK(OneOf(code, {msg::kOk, msg::kReadFailed, msg::kTimeout}));
        FUZZ_CHECK(code == msg::kOk ? Flag(settings.m_bOtherCommandSet)
                                    : settings.m_bOtherCommandSet == kUnset);
        break;
    }
    case 3: {
        settings.m_bMarkReadingAvailable = settings.m_nMediaOrient = kUnset;
        int mirror = kUnset;
        const int code = queries.ReadPanelSettings(mirror);
        FUZZ_CHECK(OneOf(code, {msg::kOk, msg::kReadFailed, msg::kTimeout}));
        FUZZ_CHECK(
            UnsetOr(settings.m_bMarkReadingAvailable, Flag(settings.m_bMarkReadingAvailable)));
        FUZZ_CHECK(UnsetOr(settings.m_nMediaOrient, Flag(settings.m_nMediaOrient)));
        FUZZ_CHECK(code == msg::kOk ? Flag(mirror) : mirror == kUnset);
        break;
    }
    case 4:
        CheckCondition(link);
        break;
    case 5:
        CheckAdvanced(link);
        break;
    case 6: {
        const int code = marks.PollMarkReading();
        FUZZ_CHECK(OneOf(code, {msg::kOk, msg::kReadFailed, msg::kTimeout}));
        const int state = marks.MarkReadState();
        FUZZ_CHECK(code == msg::kOk ? state >= 0 && state <= 3
                                    : state == CMarkReading::kNotReading);
        break;
    }
    case 7: {
        settings.m_bMarksRead = kUnset;
        const int code = marks.QueryMarksRead();
        FUZZ_CHECK(OneOf(code, {msg::kOk, msg::kReadFailed, msg::kTimeout}));
        FUZZ_CHECK(code == msg::kOk ? Flag(settings.m_bMarksRead)
                                    : settings.m_bMarksRead == kUnset);
        break;
    }
    default: {
        const int before = queries.EnterState();
        const int code = queries.QueryEnterState();
        FUZZ_CHECK(OneOf(code, {msg::kOk, msg::kReadFailed, msg::kTimeout}));
        const int state = queries.EnterState();
        FUZZ_CHECK(code == msg::kOk ? state >= 0 && state <= 5 : state == before);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // One port for every run (building one costs more than a run); each run starts it afresh
    // on a freshly identified model.
    static Link link;
    link.model = CPlotterModel();
    FUZZ_CHECK(link.model.Identify(ModelTable()[data[0] % kModelCount].pszTypeString));
    link.model.SelectBladeCatalogue(1033);
    link.settings = CControllerSettings(true);
    link.port.SetOptions(PortOptions{false, false, {}});
    const std::string_view replies(reinterpret_cast<const char*>(data) + 2, size - 2);
    link.port.SetTransport(std::make_unique<CScriptedTransport>(SplitInput(replies, '\n')));
    Run(link, data[1] % 9);
    return 0;
}
