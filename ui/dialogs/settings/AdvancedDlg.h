#pragma once

#include "protocol/AdvancedSettings.h"
#include "ui/dialogs/common/ShownValues.h"
#include "ui/dialogs/common/SkinnedDialog.h"
#include "ui/dialogs/settings/AdvancedChecks.h"

#include <functional>
#include <optional>
#include <vector>

class CAdvancedSettingsLink;
class CChangeSender;
class CControllerCommandLine;
class CControllerSettings;
class CPlotterCommands;
class CPlotterModel;
class CSkinCombo;
class QLineEdit;

// What the Advanced Settings window works with; all of it outlives the window.
struct AdvancedDlgLinks {
    const CSkinFolders& folders;
    CAdvancedSettingsLink& link;
    const CPlotterModel& model;                // bounds, pen-up speeds, fan power, template
    CControllerSettings& settings;             // unit, decimal separator, the application's copy
    CChangeSender& sender;                     // sends on OK, or keeps the settings unsent
    CPlotterCommands& commands;                // the Command Setting window's switch
    const CControllerCommandLine& commandLine; // LM disables "Command"
    int labelWidth;                            // the language's width E
    ShowHelpFn showHelp;
};

// The Advanced Settings window: the plotter's advanced settings as the plotter reports them at
// opening, checked against the model's bounds and written back on OK. The template follows the
// model's layout: 136 with one tangential mode for the whole plotter, 137 with one per
// condition number.
class CAdvancedDlg : public CSkinnedDialog {
    Q_OBJECT

public:
    // Results: kIdOk (written, or kept unsent because the plotter was busy or not ready),
    // kIdCancel, the code of a failed read at opening, or 1014/1015.
    explicit CAdvancedDlg(AdvancedDlgLinks links, QWidget* parent = nullptr);

    int TemplateId() const { return m_nTemplate; }

protected:
    [[nodiscard]] int OnOpen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] int CreateControls();
    void FillControls();
    void ConnectHandlers();
    void OnOK();
    void OnCommand();

    // AdvancedDlgSlots.cpp: the distance-adjust and tangential records of the shown slots.
    void ShowDistanceAdjust();
    void ShowTangential();
    void OnDistanceSlot(int index);
    void OnTangentialSlot(int index);
    void OnTangentialMode(int mode);
    void OnTangentialOn(bool on);
    void ConnectSlotHandlers();

    CAdvancedChecks Checks() const;
    // The record as the edits show it: each length, L and W as its text reads. The checks judge
    // this, so a value shown rounded passes whenever its text would pass when typed.
    AdvancedSettings AsShown() const;
    // L or W as typed: separators become points, the leading number (0 when none).
    double TypedPercent(const QString& text) const;
    // Shows a failed check's message and puts the focus on its edit; true when it failed.
    bool Rejects(const std::optional<RangeFailure>& failure);

    bool OneMode() const;
    bool Inch() const;
    QChar Separator() const;
    QLineEdit* Edit(int id) const;
    // Puts a value into an edit, shown as `text`, without running its handler; decimals < 0:
    // a whole number. The edit stands for `value` as long as it holds `text`.
    void Fill(int id, const QString& text, int decimals, double value);
    void SetText(int id, const QString& text);
    void SetChecked(int id, bool checked);
    void SetEnabled(int id, bool enabled);
    // Runs `apply` with the text each time the edit's filter accepts a change.
    void OnEdit(int id, int decimals, std::function<void(const QString&)> apply);

    AdvancedDlgLinks m_links;
    int m_nTemplate;
    AdvancedSettings m_block;       // what the window edits
    CShownValues m_shown;           // what each edit was filled with
    std::vector<int> m_penUpSpeeds; // the value of each pen-up speed item
    CSkinCombo* m_pPenUpSpeed = nullptr;
    CSkinCombo* m_pDistanceSlot = nullptr;
    CSkinCombo* m_pTangentialSlot = nullptr;
};
