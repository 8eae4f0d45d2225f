#pragma once

#include "conditions/CuttingCondition.h"
#include "protocol/AdvancedSettings.h"

// The controller's settings: the values remembered between runs (read when the main window
// opens, written when it closes) and the values that only live for the current run.
class CControllerSettings {
public:
    // Display unit defaults to the user's measurement system.
    CControllerSettings();
    explicit CControllerSettings(bool metric);

    // Remembered between runs.
    int m_nUnitType;              // 0 millimetres, 1 inches
    int m_nCutCondSetting = 0;    // 0 the plotter's panel conditions, 1 the current condition
    CuttingCondition m_condition; // its name is the remembered media list name
    int m_nImageType = 0;         // design orientation 0/1
    int m_bTomboRead = 0;         // registration marks in use
    int m_bTomboAuto = 1;         // automatic search for the marks
    int m_nTomboDisX = 0;         // distances between marks, micrometres
    int m_nTomboDisY = 0;
    int m_nTmbReadType = 1;    // correction: two, three, four points, area
    int m_nTmbType = 1;        // registration-mark type 0/1
    int m_nTmbStep = 500000;   // micrometres
    int m_nTmbLength = 10000;  // mark line length, micrometres
    int m_nTmbThickness = 500; // mark line thickness, micrometres

    // This run only.
    int m_nMediaOrient = 0;          // read from the plotter when the window opens
    int m_bMarkReadingAvailable = 0; // the plotter offers registration-mark reading
    int m_bMarksRead = 0;            // the plotter has read the marks
    int m_bMirror = 0;               // the plotter's mirror setting read at opening
    int m_bOtherCommandSet = 0;      // the plotter runs the other command set
    char m_cDecimalSeparator = '.';
    AdvancedSettings m_advanced; // the copy the advanced-settings window edits and the retry sends
};
