#pragma once

class CControllerCommandLine;
class CMarkReading;
class CSkinFolders;
class QWidget;

// Reads the registration marks: sends the mark settings and starts the plotter's search, then
// waits in the reading window. 0 when the plotter reported the marks read. Otherwise the marks
// count as not read and the code says why, its message already shown: the start's code, 1102
// when the plotter reported failure (also after Abort), the code of a plotter operation that
// failed while waiting, or 1014/1015 when the window could not be set up; in these last two
// cases the plotter has been asked to abort the search. The print-queue check runs unless the
// launch parameter LM switched it off; the ready check always runs.
[[nodiscard]] int RunMarkReading(CMarkReading& marks, const CControllerCommandLine& commandLine,
                                 const CSkinFolders& folders, QWidget* parent);
