#include "protocol/PortSteps.h"

#include "models/PlotterModel.h"
#include "protocol/ProtocolText.h"
#include "protocol/ReplyParse.h"

namespace proto {

int Send(CPlotterPort& port, std::string_view text) {
    return port.WriteCommand(text, CPlotterPort::kTransferTimeoutMs);
}

int QueryStepSize(CPlotterPort& port, CPlotterModel& model) {
    if (port.IsDemo()) {
        model.SetStepSize(0);
        return msg::kOk;
    }
    return Ask(port, StepSizeQuery(), [&](std::string_view reply) {
        int stepSize = 0;
        const int parsed = ParseStepSize(reply, stepSize);
        if (parsed == msg::kOk) {
            model.SetStepSize(stepSize);
        }
        return parsed;
    });
}

} // namespace proto
