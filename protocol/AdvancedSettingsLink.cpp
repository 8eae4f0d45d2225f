#include "protocol/AdvancedSettingsLink.h"

#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "protocol/PortSteps.h"
#include "protocol/ProtocolText.h"
#include "protocol/ReplyParse.h"
#include "protocol/WireUnits.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kLayoutSingleMode = 136;

std::size_t Index(int slot) {
    return static_cast<std::size_t>(slot - 1);
}

// The number to send for a field: the plotter's own number while the field holds what it was
// read as (`usable`: a length only at the step size it was read with), else `converted`.
template <typename T>
int WireValue(const std::optional<AsRead<T>>& read, T value, int converted, bool usable = true) {
    return usable && read && read->value == value ? read->wire : converted;
}

} // namespace

int CAdvancedSettingsLink::ReadAdvancedSettings(AdvancedSettings& s) {
    if (m_port.IsDemo()) {
        FillDemoValues(s);
        return msg::kOk;
    }
    return m_port.Transact(false, false, [&] { return ReadInTransaction(s); });
}

void CAdvancedSettingsLink::FillDemoValues(AdvancedSettings& s) const {
    m_model.SetStepSize(0);
    s.pageLength = 50000000;
    s.offsetAngle = 0;
    s.initialDownForce = 0;
    s.stepPass = 0;
    s.penUpSpeed = m_model.PenUpSpeeds()[0];
    s.autoPreFeed = 1;
    s.feedLength = 10000000;
    if (m_model.HasFanPower()) {
        s.fanPower = 0;
    }
    s.mirror = 0;
    s.distanceAdjust.fill({1, 2.0, 1.0});
    if (m_model.AdvancedLayout() == kLayoutSingleMode) {
        s.tangentialMode = 1;
    } else {
        s.tangentialModeSlot.fill(1);
    }
    s.tangential.fill({0, 300, 500});
}

int CAdvancedSettingsLink::ReadInTransaction(AdvancedSettings& s) {
    using namespace proto;
    if (const int step = QueryStepSize(m_port, m_model); step != msg::kOk) {
        return step;
    }
    const int stepsPerMm = m_model.StepsPerMillimetre();
    s.readStepsPerMm = stepsPerMm;
    const AdvancedRange ranges = m_model.AdvancedRanges();
    const PenUpSpeedRow penUpSpeeds = m_model.PenUpSpeeds();
    const bool penUpByIndex = !m_model.IsFamilyZero();

    // One entry per query, in record order: the text and how its reply lands in `s`.
    std::vector<std::pair<std::string, std::function<int(std::string_view)>>> queries;
    auto add = [&](std::string text, std::function<int(std::string_view)> parse) {
        queries.emplace_back(std::move(text), std::move(parse));
    };
    auto number = [](IntRange range, int& target) {
        return [range, &target](std::string_view r) { return ParseScaledInt(r, 1, range, target); };
    };
    add(PageLengthQuery(), [&](std::string_view r) {
        return ParseLength(r, stepsPerMm, ranges.pageLengthMm, s.pageLength, s.pageLengthRead);
    });
    add(OffsetAngleQuery(), number(ranges.offsetAngle, s.offsetAngle));
    add(InitialDownForceQuery(), number(ranges.initialDownForce, s.initialDownForce));
    add(StepPassQuery(), number(ranges.stepPass, s.stepPass));
    add(PenUpSpeedQuery(), [&](std::string_view r) {
        ParsePenUpSpeed(r, penUpByIndex, penUpSpeeds, s.penUpSpeed, s.penUpSpeedRead);
        return msg::kOk;
    });
    add(AutoPreFeedQuery(), [&](std::string_view r) {
        return ParseAutoPreFeed(r, stepsPerMm, ranges.feedLengthMm, s.autoPreFeed, s.feedLength,
                                s.feedLengthRead);
    });
    if (m_model.HasFanPower()) {
        add(FanPowerQuery(), [&](std::string_view r) { return ParseFlag(r, s.fanPower); });
    }
    add(MirrorQuery(), [&](std::string_view r) { return ParseFlag(r, s.mirror); });
    for (int slot = 1; slot <= AdvancedSettings::kSlots; ++slot) {
        AdvancedSettings::DistanceAdjust& entry = s.distanceAdjust[Index(slot)];
        add(DistanceAdjustQuery(slot), [&ranges, &entry](std::string_view r) {
            return ParseDistanceAdjust(r, ranges.distanceAdjust, entry);
        });
    }
    if (m_model.AdvancedLayout() == kLayoutSingleMode) {
        add(TangentialModeQuery(),
            [&](std::string_view r) { return ParseTangentialMode(r, s.tangentialMode); });
    } else {
        for (int slot = 1; slot <= AdvancedSettings::kSlots; ++slot) {
            int& mode = s.tangentialModeSlot[Index(slot)];
            add(TangentialModeSlotQuery(slot),
                [&mode](std::string_view r) { return ParseTangentialMode(r, mode); });
        }
    }
    for (int slot = 1; slot <= AdvancedSettings::kSlots; ++slot) {
        AdvancedSettings::TangentialEmulation& entry = s.tangential[Index(slot)];
        add(TangentialEmulationQuery(slot), [&ranges, &entry, stepsPerMm](std::string_view r) {
            return ParseTangentialEmulation(r, stepsPerMm, ranges.tangentialMm, entry);
        });
    }

    for (const auto& [text, parse] : queries) {
        if (const int read = Ask(m_port, text, parse); read != msg::kOk) {
            return read;
        }
    }
    return msg::kOk;
}

int CAdvancedSettingsLink::WriteAdvancedSettings(AdvancedSettings s, bool checkQueues,
                                                 bool checkStatus) {
    return m_port.Transact(checkQueues, checkStatus, [&] { return WriteInTransaction(s); });
}

int CAdvancedSettingsLink::WriteInTransaction(const AdvancedSettings& s) {
    using namespace proto;
    if (const int step = QueryStepSize(m_port, m_model); step != msg::kOk) {
        return step;
    }
    const int stepsPerMm = m_model.StepsPerMillimetre();
    const bool sameSteps = s.readStepsPerMm == stepsPerMm;
    const int penUpSpeed =
        WireValue(s.penUpSpeedRead, s.penUpSpeed,
                  m_model.IsFamilyZero() ? s.penUpSpeed : m_model.PenUpSpeedIndex(s.penUpSpeed));
    std::vector<std::string> commands = {
        PageLengthCommand(WireValue(s.pageLengthRead, s.pageLength,
                                    MicrometresToSteps(s.pageLength, stepsPerMm), sameSteps)),
        OffsetAngleCommand(s.offsetAngle),
        InitialDownForceCommand(s.initialDownForce),
        StepPassCommand(s.stepPass),
        PenUpSpeedCommand(penUpSpeed),
        AutoPreFeedCommand(s.autoPreFeed,
                           WireValue(s.feedLengthRead, s.feedLength,
                                     MicrometresToSteps(s.feedLength, stepsPerMm), sameSteps)),
    };
    if (m_model.HasFanPower()) {
        commands.push_back(FanPowerCommand(s.fanPower));
    }
    commands.push_back(MirrorCommand(s.mirror));
    // A record that is off keeps what the plotter holds for it; a value typed into it before it
    // was turned off was never checked, and goes as 0.
    for (int slot = 1; slot <= AdvancedSettings::kSlots; ++slot) {
        const AdvancedSettings::DistanceAdjust& a = s.distanceAdjust[Index(slot)];
        const auto code = [on = a.on != 0](const std::optional<AsRead<double>>& read,
                                           double percent) {
            return WireValue(read, percent, on ? DistanceAdjustCode(percent) : 0);
        };
        commands.push_back(
            DistanceAdjustCommand(slot, a.on, code(a.lRead, a.l), code(a.wRead, a.w)));
    }
    if (m_model.AdvancedLayout() == kLayoutSingleMode) {
        commands.push_back(TangentialModeCommand(s.tangentialMode));
    } else {
        for (int slot = 1; slot <= AdvancedSettings::kSlots; ++slot) {
            commands.push_back(TangentialModeSlotCommand(slot, s.tangentialModeSlot[Index(slot)]));
        }
    }
    for (int slot = 1; slot <= AdvancedSettings::kSlots; ++slot) {
        const AdvancedSettings::TangentialEmulation& t = s.tangential[Index(slot)];
        const auto steps = [&, on = t.on != 0](const std::optional<AsRead<int>>& read, int um) {
            return WireValue(read, um, on ? TangentialToSteps(um, stepsPerMm) : 0, sameSteps);
        };
        commands.push_back(TangentialEmulationCommand(slot, t.on, steps(t.startRead, t.start),
                                                      steps(t.endRead, t.end)));
    }
    for (const std::string& command : commands) {
        if (const int sent = Send(m_port, command); sent != msg::kOk) {
            return sent;
        }
    }
    return msg::kOk;
}
