#pragma once

#include "ui/dialogs/common/SkinnedDialog.h"

class CControllerSettings;
class QRadioButton;

// The Option window: the unit in which lengths are shown and typed, millimetres or inches.
// Nothing is sent to the plotter; OK stores the unit in the settings record (saved with the
// other settings when the main window closes), and the caller shows its lengths anew.
class COptionDlg : public CSkinnedDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 135;
    static constexpr int kIdUnitGroup = 4000;
    static constexpr int kIdMillimetres = 4001;
    static constexpr int kIdInches = 4002;

    // Results: kIdOk (the settings hold the chosen unit), kIdCancel (nothing changed), or 1014
    // or 1015 when a skinned button cannot be set up.
    COptionDlg(const CSkinFolders& folders, CControllerSettings& settings, ShowHelpFn showHelp,
               QWidget* parent = nullptr);

protected:
    [[nodiscard]] int OnOpen() override;

private:
    void OnOK();

    CControllerSettings& m_settings;
    int m_nUnit; // the working unit, taken from the settings when the window is made
};
