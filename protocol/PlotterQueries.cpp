#include "protocol/PlotterQueries.h"

#include "conditions/CuttingCondition.h"
#include "core/ControllerSettings.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "protocol/PortSteps.h"
#include "protocol/ProtocolText.h"
#include "protocol/ReplyParse.h"

#include <functional>
#include <string>
#include <utility>

namespace {

constexpr int kDemoToolNumber = 2;

// A flag reply straight into a settings field.
auto Flag(int& target) {
    return [&target](std::string_view reply) { return proto::ParseFlag(reply, target); };
}

} // namespace

int CPlotterQueries::ReadFirmwareVersion() {
    if (m_port.IsDemo()) {
        if (!m_model.Identify(m_strDemoModel, true)) {
            return msg::kFirmwareUnsupported;
        }
        m_model.SetFirmwareVersion(CPlotterModel::kDemoFirmware);
        return msg::kOk;
    }
    return m_port.Transact(false, false, [&] {
        std::string reply;
        const int asked = m_port.Query(proto::ModelAndFirmwareQuery(), reply);
        if (asked == msg::kTimeout) {
            return msg::kFirmwareUnsupported; // firmware too old to know the query
        }
        if (asked != msg::kOk) {
            return asked;
        }
        std::string model;
        std::string firmware;
        if (const int parsed = proto::ParseModelAndFirmware(reply, model, firmware);
            parsed != msg::kOk) {
            return parsed;
        }
        if (!m_model.Identify(model)) {
            return msg::kFirmwareUnsupported;
        }
        m_model.SetFirmwareVersion(firmware);
        return msg::kOk;
    });
}

int CPlotterQueries::ReadCommandSet() {
    if (m_port.IsDemo()) {
        m_settings.m_bOtherCommandSet = 0;
        return msg::kOk;
    }
    return m_port.Transact(false, false, [&] {
        return proto::Ask(m_port, proto::CommandSetQuery(), Flag(m_settings.m_bOtherCommandSet));
    });
}

int CPlotterQueries::ReadPanelSettings(int& mirror) {
    if (m_port.IsDemo()) {
        m_settings.m_bMarkReadingAvailable = 1;
        m_settings.m_nMediaOrient = 0;
        mirror = 0;
        return msg::kOk;
    }
    return m_port.Transact(false, false, [&] {
        if (const int marks = proto::Ask(m_port, proto::MarksAvailableQuery(),
                                         Flag(m_settings.m_bMarkReadingAvailable));
            marks != msg::kOk) {
            return marks;
        }
        if (const int orientation =
                proto::Ask(m_port, proto::MediaOrientationQuery(), Flag(m_settings.m_nMediaOrient));
            orientation != msg::kOk) {
            return orientation;
        }
        return proto::Ask(m_port, proto::MirrorQuery(), Flag(mirror));
    });
}

int CPlotterQueries::ReadPlotterCondition(CuttingCondition& c) {
    if (m_port.IsDemo()) {
        const BladeCatalogue& catalogue = m_model.Catalogue();
        const int entry = m_model.ToolEntryForNumber(kDemoToolNumber);
        if (entry >= 0 && entry < catalogue.Count()) {
            c.m_strBlade = catalogue.Entry(entry).strName;
        }
        const ConditionRange ranges = m_model.ConditionRanges();
        c.m_nForce = ranges.force.nMin;
        c.m_nSpeed = ranges.speed.nMin;
        c.m_nQuality = ranges.quality.nMin;
        c.m_nOffset = 0;
        return msg::kOk;
    }
    return m_port.Transact(false, false, [&] { return ReadConditionInTransaction(c); });
}

int CPlotterQueries::ReadConditionInTransaction(CuttingCondition& c) {
    using namespace proto;
    const BladeCatalogue& catalogue = m_model.Catalogue();
    const ConditionRange ranges = m_model.ConditionRanges();

    int entry = -1;
    const int tool = Ask(m_port, SelectedToolQuery(), [&](std::string_view reply) {
        const int position = m_model.ToolEntryForNumber(LeadingInteger(reply));
        if (position < 0 || position >= catalogue.Count()) {
            return msg::kReadFailed;
        }
        if (m_model.IsLightPointerEntry(position)) {
            return msg::kLightPointerSelected;
        }
        entry = position;
        return msg::kOk;
    });
    if (tool != msg::kOk) {
        return tool;
    }
    c.m_strBlade = catalogue.Entry(entry).strName;

    // The pen adapter and "Other" rows have offset ranges of their own.
    IntRange offsetRange = ranges.offsetBlade;
    if (entry == catalogue.PenAdapterIndex()) {
        offsetRange = ranges.offsetPen;
    } else if (entry == catalogue.OtherIndex()) {
        offsetRange = ranges.offsetOther;
    }
    const std::pair<std::string, std::function<int(std::string_view)>> steps[] = {
        {ForceQuery(),
         [&](std::string_view r) { return ParseScaledInt(r, 1, ranges.force, c.m_nForce); }},
        {SpeedQuery(),
         [&](std::string_view r) { return ParseScaledInt(r, 10, ranges.speed, c.m_nSpeed); }},
        {QualityQuery(),
         [&](std::string_view r) { return ParseScaledInt(r, 5, ranges.quality, c.m_nQuality); }},
        {OffsetQuery(),
         [&](std::string_view r) { return ParseScaledInt(r, 1, offsetRange, c.m_nOffset); }},
    };
    for (const auto& [text, parse] : steps) {
        if (const int read = Ask(m_port, text, parse); read != msg::kOk) {
            return read;
        }
    }
    return msg::kOk;
}

int CPlotterQueries::QueryEnterState() {
    if (m_port.IsDemo()) {
        m_nEnterState = 1;
        return msg::kOk;
    }
    return m_port.Transact(false, false, [&] {
        std::string reply;
        if (const int written = proto::Send(m_port, proto::EnterStateQuery());
            written != msg::kOk) {
            m_nEnterState = kEnterStateWriteFailed;
            return written;
        }
        if (const int read = m_port.ReadReply(reply, CPlotterPort::kTransferTimeoutMs);
            read != msg::kOk) {
            return read;
        }
        return proto::ParseEnterState(reply, m_nEnterState);
    });
}

int CPlotterQueries::PressEnter() {
    return m_port.Transact(false, false,
                           [&] { return proto::Send(m_port, proto::PressEnterControl()); });
}
