#pragma once

#include "conditions/CuttingCondition.h"
#include "skin/SkinBitmap.h"
#include "skin/SkinFolders.h"
#include "ui/dialogs/conditions/ConditionLinks.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class CKeyboardJog;
class CLevelSlider;
class CSkinButton;
class CSkinCombo;
class CSkinRadio;
class QKeyEvent;
class QLineEdit;

// Edits one media list: its name, the blade (with its large picture) and the four levels on
// sliders bounded by the connected model; runs single and five-step test cuts with the values
// on screen. The mode, set before the window runs, says what OK does with the list.
class CCondEditDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 131;

    enum Mode : int {
        kModeEditCurrent = 0, // the main window's "Edit Conditions...": the current condition
        kModeImport = 1,      // "Import Conditions...": the plotter's values, current name
        kModeNew = 2,         // the condition list's "New..."
        kModeEdit = 3,        // the condition list's "Edit..."
        kModeCopy = 5,        // the condition list's "Copy..."
    };

    // Control ids.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdAboutBlades = 3;
    static constexpr int kIdBladeLabel = 3006;
    static constexpr int kIdForceLabel = 3008;
    static constexpr int kIdForceValue = 3009;
    static constexpr int kIdSpeedLabel = 3010;
    static constexpr int kIdSpeedValue = 3011;
    static constexpr int kIdQualityLabel = 3012;
    static constexpr int kIdQualityValue = 3013;
    static constexpr int kIdOffsetLabel = 3014;
    static constexpr int kIdOffsetValue = 3015;
    static constexpr int kIdTestLabel = 3017;
    static constexpr int kIdTestCut = 3018;
    static constexpr int kIdUseKeyboard = 3105;
    static constexpr int kIdNameLabel = 3700;
    static constexpr int kIdName = 3701;
    static constexpr int kIdBlade = 3702;
    static constexpr int kIdForceLower = 3703;
    static constexpr int kIdForceUpper = 3704;
    static constexpr int kIdForce = 3705;
    static constexpr int kIdSpeedLower = 3706;
    static constexpr int kIdSpeedUpper = 3707;
    static constexpr int kIdSpeed = 3708;
    static constexpr int kIdQualityLower = 3709;
    static constexpr int kIdQualityUpper = 3710;
    static constexpr int kIdQuality = 3711;
    static constexpr int kIdOffsetLower = 3712;
    static constexpr int kIdOffsetUpper = 3713;
    static constexpr int kIdOffset = 3714;
    static constexpr int kIdFiveTestLabel = 3715;
    static constexpr int kIdFiveTestCut = 3716;
    static constexpr int kIdPosition = 3717;

    // A new list: mode kModeNew, the name "New Media", the default blade, the model's lowest
    // force, speed and quality, offset 0.
    explicit CCondEditDlg(const ConditionDialogLinks& links, QWidget* parent = nullptr);
    ~CCondEditDlg() override;

    void SetMode(Mode mode) { m_nMode = mode; }
    // The list to start from; its name is the old name OK replaces (modes 0, 1, 3).
    void SetCondition(const CuttingCondition& condition) { m_condition = condition; }

    // Sets the window up: 0, or 1014/1015 (shown) when a skinned control fails.
    [[nodiscard]] int OnInitDialog();
    // Sets up and runs the window modally: QDialog::Accepted after OK, Rejected after Cancel,
    // or 1014/1015 at once when the set-up fails.
    int exec() override;

    // The child with this control id, or nullptr.
    QWidget* Control(int id) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    // Opening.
    [[nodiscard]] int CreateSkinnedControls();
    [[nodiscard]] int CreatePlainControls();
    // The name box: the list's own name where it cannot be changed, else a free name.
    void ShowName();
    void ShowLevels();
    void FillBlades();
    void LoadBladePictures();

    // Blade and levels.
    void OnBladeChanged(int index);
    void SetUpOffset();
    CuttingCondition OnScreen(const std::string& name) const;

    // Buttons.
    void OnOK();
    // 0, or why the name cannot be stored: 1303 for a name typed that no file may have, or
    // 1304 for a new list's name in use.
    [[nodiscard]] int CheckName(const std::string& name) const;
    // Whether OK sends the list: the current condition, or the plotter's imported values.
    bool SendsOnOK() const;
    // Asks 1810 or 1811 where the mode overwrites what the plotter uses; false when declined.
    bool ConfirmOK(bool sends) const;
    void OnTestCut(bool five);
    void OnAboutBlades();

    // Keys and jogging.
    bool FilterKey(QKeyEvent* event);
    void OnFunctionKey(int key);
    bool IsKeyHeld() const;

    ConditionDialogLinks m_links;
    CSkinFolders m_folders;
    Mode m_nMode = kModeNew;
    CuttingCondition m_condition;
    // The name the window put into the name box; a list's file name is kept as it is, even
    // with characters a typed name may not hold.
    std::string m_strShownName;
    std::string m_strBlade;
    CSkinButton* m_pFiveTestCut = nullptr;
    CSkinButton* m_pTestCut = nullptr;
    CSkinRadio* m_pKeyboard = nullptr;
    CSkinCombo* m_pBlades = nullptr;
    QLineEdit* m_pName = nullptr;
    CLevelSlider* m_pForce = nullptr;
    CLevelSlider* m_pSpeed = nullptr;
    CLevelSlider* m_pQuality = nullptr;
    CLevelSlider* m_pOffset = nullptr;
    // The large picture of each offered blade, in catalogue order.
    std::vector<CSkinBitmap> m_bladePictures;
    // Made once the "Use Keyboard" toggle is set up; as a member it goes before the toggle
    // and stops the head when the window is destroyed.
    std::unique_ptr<CKeyboardJog> m_pKeyboardJog;
    bool m_bOpened = false;
};
