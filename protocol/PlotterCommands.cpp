#include "protocol/PlotterCommands.h"

#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "protocol/PortSteps.h"
#include "protocol/ProtocolText.h"

int CPlotterCommands::SendOne(const std::string& text, bool checkQueues, bool checkStatus) {
    return m_port.Transact(checkQueues, checkStatus, [&] { return proto::Send(m_port, text); });
}

int CPlotterCommands::SendConditionCommands(const CuttingCondition& c) {
    using namespace proto;
    const std::string texts[] = {
        ToolCommand(m_model.Catalogue().ToolCodeForName(c.m_strBlade)),
        ForceCommand(c.m_nForce),
        SpeedCommand(c.m_nSpeed),
        QualityCommand(c.m_nQuality),
        OffsetCommand(c.m_nOffset),
    };
    for (const std::string& text : texts) {
        if (const int sent = Send(m_port, text); sent != msg::kOk) {
            return sent;
        }
    }
    return msg::kOk;
}

int CPlotterCommands::SendCuttingCondition(const std::string& name, const std::string& blade,
                                           int force, int speed, int quality, int offset,
                                           bool checkQueues, bool checkStatus) {
    return SendCuttingCondition(CuttingCondition{name, blade, force, speed, quality, offset},
                                checkQueues, checkStatus);
}

int CPlotterCommands::SendCuttingCondition(const CuttingCondition& c, bool checkQueues,
                                           bool checkStatus) {
    return m_port.Transact(checkQueues, checkStatus, [&] { return SendConditionCommands(c); });
}

int CPlotterCommands::UsePlotterSettings(bool checkQueues, bool checkStatus) {
    return SendOne(proto::UsePanelSettingsCommand(), checkQueues, checkStatus);
}

int CPlotterCommands::SendMediaOrientation(int orientation, bool checkQueues, bool checkStatus) {
    return SendOne(proto::MediaOrientationCommand(orientation), checkQueues, checkStatus);
}

int CPlotterCommands::SwitchCommandSet(int set, bool checkQueues, bool checkStatus) {
    return m_port.Transact(checkQueues, checkStatus, [&] {
        const int sent = proto::Send(m_port, proto::CommandSetCommand(set));
        if (sent == msg::kOk && m_fnCommandSetWait) {
            m_fnCommandSetWait();
        }
        return sent;
    });
}

int CPlotterCommands::MoveToOrigin(bool checkQueues, bool checkStatus) {
    return SendOne(proto::MoveToOriginCommand(), checkQueues, checkStatus);
}

int CPlotterCommands::CrossCut(bool checkQueues, bool checkStatus) {
    return SendOne(proto::CrossCutCommand(), checkQueues, checkStatus);
}

int CPlotterCommands::TestCut(const CuttingCondition* condition, bool sendCondition, bool five,
                              bool checkQueues, bool checkStatus) {
    return m_port.Transact(checkQueues, checkStatus, [&] {
        const bool conditionSent = sendCondition && condition != nullptr;
        if (conditionSent) {
            if (const int sent = SendConditionCommands(*condition); sent != msg::kOk) {
                return sent;
            }
        }
        const int cut = proto::Send(m_port, five ? proto::FiveTestPatternsCommand()
                                                 : proto::TestPatternCommand());
        if (cut != msg::kOk || !conditionSent || !m_fnCurrentCondition) {
            return cut;
        }
        const std::optional<CuttingCondition> current = m_fnCurrentCondition();
        return current ? SendConditionCommands(*current) : msg::kOk;
    });
}
