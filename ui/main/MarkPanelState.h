#pragma once

// Which controls of the registration-mark panel the user may change.
struct MarkPanelInput {
    bool marksAvailable;  // the plotter offers mark reading
    bool tomboRead;       // registration marks in use
    bool tomboAuto;       // automatic search for the marks
    bool cutMode;         // started for a cutting job
    bool launchOwnsMarks; // the launching program set the distances or turned the marks off
};

struct MarkPanelEnabled {
    bool marks;       // "Registration Marks"
    bool searchMarks; // "Search Marks"
    bool distances;   // distance labels, edits and unit labels
    bool settings;    // "Settings..."
    bool readMarks;   // "Read Marks"
    bool operator==(const MarkPanelEnabled&) const = default;
};

MarkPanelEnabled EnableMarkControls(const MarkPanelInput& in);
