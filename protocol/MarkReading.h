#pragma once

class CPlotterPort;
class CPlotterModel;
class CControllerSettings;

// Automatic registration-mark reading on the plotter: starting it with the application's mark
// settings, polling its state, aborting it and asking whether the marks were read. Each public
// operation is one port transaction and returns 0 or a message code. The reading state is
// kept here, so the windows that start and poll the reading share one object.
class CMarkReading {
public:
    // Reading state: 0-2 as the plotter reports, 3 not reading (or unknown).
    static constexpr int kStarted = 1;
    static constexpr int kMarksFound = 2;
    static constexpr int kNotReading = 3;

    CMarkReading(CPlotterPort& port, CPlotterModel& model, CControllerSettings& settings)
        : m_port(port), m_model(model), m_settings(settings) {}

    // Sends the mark type, length, thickness and the search command of the correction method
    // (lengths in steps of the step size queried first). A correction method outside 0-3
    // sends nothing and gives msg::kMarkReadingFailed. A started reading (and demo mode) sets
    // the state to kStarted, so a state left from an earlier reading never ends this one.
    [[nodiscard]] int StartMarkReading(bool checkQueues, bool checkStatus);
    // Asks the reading state; a failed write sets it to kNotReading.
    [[nodiscard]] int PollMarkReading();
    [[nodiscard]] int AbortMarkReading();
    // Whether the plotter has read the marks, into the settings.
    [[nodiscard]] int QueryMarksRead();

    int MarkReadState() const { return m_nMarkReadState; }

private:
    [[nodiscard]] int StartInTransaction();

    CPlotterPort& m_port;
    CPlotterModel& m_model;
    CControllerSettings& m_settings;
    int m_nMarkReadState = kNotReading;
};
