#pragma once

class CControllerCommandLine;
class CControllerSettings;
class CPlotterModel;

// Applies the values given at launch to the settings once the persisted settings are read and
// the plotter model is known. Each value is checked against the connected model; a value that
// passes replaces the setting (and, since the settings are saved on close, later runs' value
// too); one that does not is reported with its message (1400-1407) and its flag is cleared,
// so the rest of the run behaves as if it had not been given. Nothing here stops the opening.
//
// Lengths arrive in millimetres as read from the command line ("nan", "inf" and numbers far
// out of range included): only a finite value inside its range, whose micrometres fit an int,
// is ever converted.
class CLaunchValues {
public:
    CLaunchValues(CControllerCommandLine& commandLine, CControllerSettings& settings,
                  const CPlotterModel& model)
        : m_commandLine(commandLine), m_settings(settings), m_model(model) {}

    void Apply();

private:
    void ApplyMarkDistance();
    void ApplyFamilyChecks();
    void ApplyMarkLengths();

    CControllerCommandLine& m_commandLine;
    CControllerSettings& m_settings;
    const CPlotterModel& m_model;
};
