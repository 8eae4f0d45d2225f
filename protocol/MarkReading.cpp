#include "protocol/MarkReading.h"

#include "core/ControllerSettings.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "protocol/PortSteps.h"
#include "protocol/ProtocolText.h"
#include "protocol/ReplyParse.h"
#include "protocol/WireUnits.h"

#include <string>

int CMarkReading::StartMarkReading(bool checkQueues, bool checkStatus) {
    if (m_port.IsDemo()) {
        m_nMarkReadState = kStarted;
        return msg::kOk;
    }
    const int started =
        m_port.Transact(checkQueues, checkStatus, [&] { return StartInTransaction(); });
    if (started == msg::kOk) {
        m_nMarkReadState = kStarted;
    }
    return started;
}

int CMarkReading::StartInTransaction() {
    using namespace proto;
    const CControllerSettings& s = m_settings;
    // Checked before anything is sent: the plotter must never get a half search sequence.
    if (s.m_nTmbReadType < 0 || s.m_nTmbReadType > 3) {
        return msg::kMarkReadingFailed;
    }
    if (const int step = QueryStepSize(m_port, m_model); step != msg::kOk) {
        return step;
    }
    const int stepsPerMm = m_model.StepsPerMillimetre();
    const MarkSearch search{s.m_nTmbReadType,
                            s.m_bTomboAuto != 0,
                            MicrometresToSteps(s.m_nTomboDisX, stepsPerMm),
                            MicrometresToSteps(s.m_nTomboDisY, stepsPerMm),
                            s.m_nMediaOrient,
                            MicrometresToSteps(s.m_nTmbStep, stepsPerMm)};
    const std::string texts[] = {
        StartMarkReadingControl(),
        MarkSequenceCommand(),
        MarkTypeCommand(s.m_nTmbType),
        MarkLineLengthCommand(MicrometresToSteps(s.m_nTmbLength, stepsPerMm)),
        MarkThicknessCommand(MicrometresToSteps(s.m_nTmbThickness, stepsPerMm)),
        MarkSensorCommand(),
        MarkSearchCommand(search),
        MarkSequenceCommand(),
    };
    for (const std::string& text : texts) {
        if (const int sent = Send(m_port, text); sent != msg::kOk) {
            return sent;
        }
    }
    return msg::kOk;
}

int CMarkReading::PollMarkReading() {
    if (m_port.IsDemo()) {
        m_nMarkReadState = kNotReading;
        return msg::kOk;
    }
    return m_port.Transact(false, false, [&] {
        if (const int written = proto::Send(m_port, proto::MarkReadStateQuery());
            written != msg::kOk) {
            m_nMarkReadState = kNotReading;
            return written;
        }
        std::string reply;
        if (const int read = m_port.ReadReply(reply, CPlotterPort::kTransferTimeoutMs);
            read != msg::kOk) {
            return read;
        }
        return proto::ParseMarkReadState(reply, m_nMarkReadState);
    });
}

int CMarkReading::AbortMarkReading() {
    if (m_port.IsDemo()) {
        m_nMarkReadState = kNotReading;
        return msg::kOk;
    }
    return m_port.Transact(false, false,
                           [&] { return proto::Send(m_port, proto::AbortMarkReadingControl()); });
}

int CMarkReading::QueryMarksRead() {
    if (m_port.IsDemo()) {
        m_settings.m_bMarksRead = 0;
        return msg::kOk;
    }
    return m_port.Transact(false, false, [&] {
        return proto::Ask(m_port, proto::MarksReadQuery(), [&](std::string_view reply) {
            return proto::ParseFlag(reply, m_settings.m_bMarksRead);
        });
    });
}
