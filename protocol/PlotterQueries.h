#pragma once

#include <string>
#include <utility>

class CPlotterPort;
class CPlotterModel;
class CControllerSettings;
struct CuttingCondition;

// The queries that tell the controller who the plotter is and how it is set: model and
// firmware, command set, panel settings, the selected tool and condition, and the Enter-wait
// state of a test cut. Each public operation is one port transaction and returns 0 or a
// message code; a rejected reply (1008) leaves its target as it was. In demo mode nothing is
// sent and the fixed demo values are used instead of replies.
//
// The model and its step size go to CPlotterModel, the panel values to CControllerSettings;
// the Enter-wait state is kept here, so the windows that poll it share one object.
class CPlotterQueries {
public:
    static constexpr int kEnterStateWriteFailed = 5;

    // `demoModel` is the model named by the DEMO launch value (identified in demo mode).
    CPlotterQueries(CPlotterPort& port, CPlotterModel& model, CControllerSettings& settings,
                    std::string demoModel = {})
        : m_port(port), m_model(model), m_settings(settings), m_strDemoModel(std::move(demoModel)) {
    }

    // Identifies the model from its type string and stores the firmware text. A plotter that
    // does not answer (time-out) or names no supported model gives 1009.
    [[nodiscard]] int ReadFirmwareVersion();
    // Whether the plotter runs the other command set (HP-GL).
    [[nodiscard]] int ReadCommandSet();
    // Marks available, media orientation (into the settings) and the mirror (into `mirror`).
    [[nodiscard]] int ReadPanelSettings(int& mirror);
    // Blade, force, speed, quality and offset of `c`; its name stays. The light pointer
    // selected on the plotter gives 1306.
    [[nodiscard]] int ReadPlotterCondition(CuttingCondition& c);

    // Enter-wait state 0-5 while a test cut runs; a failed write sets 5.
    [[nodiscard]] int QueryEnterState();
    int EnterState() const { return m_nEnterState; }
    [[nodiscard]] int PressEnter();

private:
    [[nodiscard]] int ReadConditionInTransaction(CuttingCondition& c);

    CPlotterPort& m_port;
    CPlotterModel& m_model;
    CControllerSettings& m_settings;
    std::string m_strDemoModel;
    int m_nEnterState = 1;
};
