#pragma once

#include "ui/dialogs/common/SkinnedDialog.h"

class CControllerCommandLine;
class CControllerSettings;
class CPlotterCommands;

// The Command Setting window: shows which command language the plotter runs (QV-CL or HP-GL)
// and switches it. OK always sends the switch, also for the set already active, and holds the
// user in the wait window for the two seconds the plotter needs; the port stays locked
// meanwhile.
class CCommandSetDlg : public CSkinnedDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 138;
    static constexpr int kIdCommandGroup = 4200;
    static constexpr int kIdQvcl = 4201;
    static constexpr int kIdHpgl = 4202;

    // Results: kIdOk after a successful switch (the settings hold the new set), kIdCancel, or
    // 1014 or 1015 when a skinned button cannot be set up.
    CCommandSetDlg(const CSkinFolders& folders, CPlotterCommands& commands,
                   CControllerSettings& settings, const CControllerCommandLine& commandLine,
                   ShowHelpFn showHelp, QWidget* parent = nullptr);

protected:
    [[nodiscard]] int OnOpen() override;

private:
    void OnOK();

    CPlotterCommands& m_commands;
    CControllerSettings& m_settings;
    const CControllerCommandLine& m_commandLine;
    int m_nSet; // the working set, 0 QV-CL, 1 HP-GL
};
