#pragma once

#include "skin/SkinBitmap.h"
#include "skin/SkinFolders.h"
#include "ui/dialogs/common/ShownValues.h"

#include <QDialog>
#include <QRect>

#include <array>
#include <cstdint>
#include <functional>

class CControllerCommandLine;
class CPicturePane;
class CControllerSettings;
class CPlotterModel;
class QButtonGroup;
class QLineEdit;

// The Registration Mark Settings window: the correction method, the mark type, the step "a" of
// the Area method and the length and thickness of the mark lines. It works on a copy of the
// five values and writes them back into the settings only when OK finds them within the
// model's limits; nothing is sent to the plotter from here. Values fixed by launch parameters
// are shown but their controls are disabled.
//
// Results: kResultOk, kResultCancel, or 1014/1015 when its buttons cannot be set up (the
// message has been shown and the settings are unchanged).
class CRegMarkDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 133;
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdMethodGroup = 3900;
    static constexpr int kIdTwoPoints = 3901; // methods 0..3 are ids 3901..3904
    static constexpr int kIdThreePoints = 3902;
    static constexpr int kIdFourPoints = 3903;
    static constexpr int kIdArea = 3904;
    static constexpr int kIdTypeGroup = 3905;
    static constexpr int kIdTypeInside = 3906; // mark type 0
    static constexpr int kIdTypeOutside = 3907;
    static constexpr int kIdStepLabel = 3908;
    static constexpr int kIdStepALabel = 3909;
    static constexpr int kIdStep = 3910;
    static constexpr int kIdStepUnit = 3911;
    static constexpr int kIdLength = 3912;
    static constexpr int kIdLengthUnit = 3913;
    static constexpr int kIdThickness = 3914;
    static constexpr int kIdThicknessUnit = 3915;

    static constexpr int kMethodArea = 3;
    // Where the picture of the correction method is drawn.
    static constexpr QRect kCorrectionRect{152, 28, 136, 104};

    using ShowHelp = std::function<void(QWidget* window, int topic)>;

    CRegMarkDlg(CControllerSettings& settings, const CControllerCommandLine& commandLine,
                const CPlotterModel& model, const CSkinFolders& folders, ShowHelp showHelp,
                QWidget* parent = nullptr);

    // Sets the window up and runs it modally; a failed set-up is shown and returned at once.
    int exec() override;
    // The set-up alone: 0, or 1014/1015. exec() runs it; tests call it and show() themselves.
    [[nodiscard]] int OnInitDialog();

    // The child with this control id, or nullptr.
    QWidget* Control(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void CreateControls();
    void ShowPictures();
    void FillControls();
    void OnMethod(int method);
    void OnType(int type);
    void OnLengthEdited(int id, std::int32_t& value);
    // What the edit's text reads as, in micrometres: a value shown rounded is judged by the
    // text the user sees. `kept` when the unit is unknown.
    std::int32_t AsShown(const QLineEdit* edit, std::int32_t kept) const;
    void EnableStepGroup(bool enabled);
    void OnOK();
    const CSkinBitmap* CorrectionPicture() const;
    int Decimals() const;

    CControllerSettings& m_settings;
    const CControllerCommandLine& m_commandLine;
    const CPlotterModel& m_model;
    CSkinFolders m_folders;
    ShowHelp m_fnShowHelp;

    // Working copies, written back on OK.
    int m_nMethod;
    int m_nType;
    std::int32_t m_nStep;
    std::int32_t m_nLength;
    std::int32_t m_nThickness;
    CShownValues m_shown; // what each length edit was filled with

    QButtonGroup* m_pMethods;
    QButtonGroup* m_pTypes;
    QLineEdit* m_pStep = nullptr;
    QLineEdit* m_pLength = nullptr;
    QLineEdit* m_pThickness = nullptr;
    CPicturePane* m_pCorrection = nullptr;

    CSkinBitmap m_typeInside;
    CSkinBitmap m_typeOutside;
    CSkinBitmap m_lengthThickness;
    CSkinBitmap m_areaDisabled;
    std::array<CSkinBitmap, 4> m_area; // by media orientation x 2 + mark type
};
