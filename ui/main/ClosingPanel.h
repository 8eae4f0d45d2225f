#pragma once

#include "ui/main/MainPanel.h"

class COrientationPanel;

// The closing buttons: "Close" (or "Cut" in cut mode) and Cancel, the close box, and saving
// the settings as the window goes.
class CClosingPanel : public CMainPanel {
    Q_OBJECT
public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    CClosingPanel(const PanelContext& context, COrientationPanel& orientation);

    void Init();
    void OnOK();
    void OnCancel();

private:
    // Cut mode: whether the registration marks are read, or not in use, or the user cuts
    // without them.
    bool MarksReadForCut();
    bool ConfirmUnsentChanges();
    void SaveSettings();

    COrientationPanel& m_orientation;
};
