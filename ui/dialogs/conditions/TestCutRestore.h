#pragma once

class CControllerSettings;
class CMediaList;
class CPlotterCommands;

// A test cut with the edited values leaves the plotter holding them; the commands then send
// the main window's current condition, looked up by its name in the store at that moment, so
// the plotter cuts on as the main window shows. Whoever builds the commands connects this once.
void ConnectTestCutRestore(CPlotterCommands& commands, const CMediaList& store,
                           const CControllerSettings& settings);
