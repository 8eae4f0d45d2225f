#pragma once

#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"

#include <string>
#include <string_view>

class CPlotterModel;

// Steps shared by the protocol operations; each runs inside a port transaction.
namespace proto {

// Writes a query, reads its reply and hands the reply to `parse`, which returns 0 or a code.
template <typename Parse>
[[nodiscard]] int Ask(CPlotterPort& port, std::string_view text, Parse&& parse) {
    std::string reply;
    if (const int asked = port.Query(text, reply); asked != msg::kOk) {
        return asked;
    }
    return parse(std::string_view(reply));
}

// Writes one text and reads nothing.
[[nodiscard]] int Send(CPlotterPort& port, std::string_view text);

// The step-size query: sets the model's step size (0 in demo mode). Every operation that
// converts lengths runs it first.
[[nodiscard]] int QueryStepSize(CPlotterPort& port, CPlotterModel& model);

} // namespace proto
