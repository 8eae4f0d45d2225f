#include "ui/main/MarkPanelState.h"

MarkPanelEnabled EnableMarkControls(const MarkPanelInput& in) {
    if (!in.marksAvailable) {
        return {false, false, false, false, false};
    }
    // With automatic search in cut mode the marks are read when the user presses "Cut".
    const bool readMarks = in.tomboRead && !(in.cutMode && in.tomboAuto);
    return {
        !in.launchOwnsMarks, in.tomboRead, !in.launchOwnsMarks && in.tomboRead,
        in.tomboRead,        readMarks,
    };
}
