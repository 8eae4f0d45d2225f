#pragma once

#include "protocol/AdvancedSettings.h"

class CPlotterPort;
class CPlotterModel;

// Reads the plotter's advanced settings into an AdvancedSettings record and writes a record
// back, each as one port transaction. Which fields travel depends on the connected model:
// fan power only for the families that have it, the tangential mode by the advanced-settings
// layout (136: one mode, 137: one per slot), the pen-up speed as its value on family 0 and as
// its table index elsewhere. Lengths are converted with the step size queried first.
class CAdvancedSettingsLink {
public:
    CAdvancedSettingsLink(CPlotterPort& port, CPlotterModel& model)
        : m_port(port), m_model(model) {}

    // Fills `s` in record order; the first failing query ends it, and the fields not yet read
    // keep what the caller put there. Demo mode fills the fixed demo values.
    [[nodiscard]] int ReadAdvancedSettings(AdvancedSettings& s);

    // Sends every field as a setting command; the first failing command ends it, and the
    // commands already sent stay in effect.
    [[nodiscard]] int WriteAdvancedSettings(AdvancedSettings s, bool checkQueues, bool checkStatus);

private:
    [[nodiscard]] int ReadInTransaction(AdvancedSettings& s);
    [[nodiscard]] int WriteInTransaction(const AdvancedSettings& s);
    void FillDemoValues(AdvancedSettings& s) const;

    CPlotterPort& m_port;
    CPlotterModel& m_model;
};
