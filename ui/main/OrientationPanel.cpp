#include "ui/main/OrientationPanel.h"

#include "conditions/units/LengthUnits.h"
#include "conditions/units/MarkLimits.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "protocol/PlotterCommands.h"
#include "retry/ChangeSender.h"
#include "retry/UnsentChanges.h"
#include "skin/SkinButton.h"
#include "ui/dialogs/common/FocusForTyping.h"
#include "ui/dialogs/common/RangeReport.h"
#include "ui/dialogs/marks/MarkReadingRun.h"
#include "ui/dialogs/marks/RegMarkDlg.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ControllerLayout.h"
#include "ui/main/MarkPanelState.h"
#include "ui/main/OrientationPictures.h"
#include "ui/main/PictureCache.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int kDistanceControls[] = {
    ctl::kDistanceLabel,  ctl::kDistanceXLabel, ctl::kDistanceX,     ctl::kDistanceXUnit,
    ctl::kDistanceYLabel, ctl::kDistanceY,      ctl::kDistanceYUnit,
};

// The radio of each orientation value.
int DesignRadio(int orientation) {
    return orientation == 1 ? ctl::kDesignPortrait : ctl::kDesignLandscape;
}
int MediaRadio(int orientation) {
    return orientation == 1 ? ctl::kMediaRotated : ctl::kMediaUnrotated;
}

} // namespace

COrientationPanel::COrientationPanel(const PanelContext& context)
    : CMainPanel(context), m_distances(context.links.settings, context.links.model),
      m_marks(context.links.port, context.links.model, context.links.settings) {}

void COrientationPanel::Init() {
    CControllerSettings& settings = Links().settings;
    const bool available = settings.m_bMarkReadingAvailable != 0;
    if (!Links().model.SupportsAreaCorrection() && settings.m_nTmbReadType == 3) {
        settings.m_nTmbReadType = 2;
    }

    ControlAs<QCheckBox>(ctl::kMarks)->setChecked(available && settings.m_bTomboRead != 0);
    ControlAs<QCheckBox>(ctl::kSearchMarks)->setChecked(available && settings.m_bTomboAuto != 0);
    ControlAs<QRadioButton>(DesignRadio(settings.m_nImageType))->setChecked(true);
    ControlAs<QRadioButton>(MediaRadio(settings.m_nMediaOrient))->setChecked(true);

    m_distances.Attach(Edit(ctl::kDistanceX), Edit(ctl::kDistanceY));
    ShowDistances();
    OfferMarkControls();

    for (const int value : {0, 1}) {
        connect(ControlAs<QRadioButton>(DesignRadio(value)), &QRadioButton::clicked, this,
                [this, value] { OnDesign(value); });
        connect(ControlAs<QRadioButton>(MediaRadio(value)), &QRadioButton::clicked, this,
                [this, value] { OnMedia(value); });
    }
    connect(ControlAs<QCheckBox>(ctl::kMarks), &QCheckBox::clicked, this,
            &COrientationPanel::OnMarks);
    connect(ControlAs<QCheckBox>(ctl::kSearchMarks), &QCheckBox::clicked, this,
            &COrientationPanel::OnSearchMarks);
    for (QLineEdit* edit : {Edit(ctl::kDistanceX), Edit(ctl::kDistanceY)}) {
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { m_distances.OnChanged(edit); });
    }
    connect(ControlAs<CSkinButton>(ctl::kMarkSettings), &QPushButton::clicked, this,
            &COrientationPanel::OnMarkSettings);
    connect(ControlAs<CSkinButton>(ctl::kReadMarks), &QPushButton::clicked, this,
            &COrientationPanel::OnReadMarks);
}

void COrientationPanel::Paint(QPainter& painter) const {
    const CControllerSettings& settings = Links().settings;
    const bool marksDrawn = settings.m_bMarkReadingAvailable != 0 && settings.m_bTomboRead != 0;
    for (const PlacedPicture& picture :
         OrientationPictures({settings.m_nImageType, settings.m_nMediaOrient, marksDrawn,
                              settings.m_bMirror != 0})) {
        Pictures().Draw(painter, picture.file, picture.rect);
    }
}

bool COrientationPanel::IsDistanceEdit(const QWidget* widget) const {
    return m_distances.Contains(widget);
}

void COrientationPanel::ShowDistances() {
    const QString unit =
        LoadText(Links().settings.m_nUnitType == kUnitInch ? str::kInch : str::kMm);
    SetText(ctl::kDistanceXUnit, unit);
    SetText(ctl::kDistanceYUnit, unit);
    m_distances.Show();
}

void COrientationPanel::ClampDistances() {
    m_distances.Clamp();
}

void COrientationPanel::RenewUnit() {
    ClampDistances();
    ShowDistances();
}

bool COrientationPanel::CheckReadingValues() const {
    if (!m_distances.Check()) {
        return false;
    }
    const CControllerSettings& settings = Links().settings;
    if (settings.m_nTmbReadType != CRegMarkDlg::kMethodArea) {
        return true;
    }
    // The settings window checks the step only while Area is chosen there; a step kept under
    // another method reaches Area unchecked when the launching program switches the method.
    const CMarkLimits limits(Links().model.MarkRanges(), settings.m_nUnitType,
                             QLatin1Char(settings.m_cDecimalSeparator));
    return PassesRangeCheck(limits.CheckStep(settings.m_nTmbStep), nullptr);
}

int COrientationPanel::ReadMarks() {
    return RunMarkReading(m_marks, Links().commandLine, Folders(), &Window());
}

int COrientationPanel::QueryMarksRead() {
    return m_marks.QueryMarksRead();
}

void COrientationPanel::OfferMarkControls() {
    const CControllerSettings& settings = Links().settings;
    const CControllerCommandLine& cl = Links().commandLine;
    // The launching program owns the marks when it set the distances or turned marks off.
    const bool launchOwnsMarks =
        cl.m_bMarkDistance != 0 || (cl.m_bNoMarks != 0 && cl.m_bCutMode != 0);
    const MarkPanelEnabled enabled =
        EnableMarkControls({settings.m_bMarkReadingAvailable != 0, settings.m_bTomboRead != 0,
                            settings.m_bTomboAuto != 0, cl.m_bCutMode != 0, launchOwnsMarks});
    SetEnabled(ctl::kMarks, enabled.marks);
    SetEnabled(ctl::kSearchMarks, enabled.searchMarks);
    for (const int id : kDistanceControls) {
        SetEnabled(id, enabled.distances);
    }
    SetEnabled(ctl::kMarkSettings, enabled.settings);
    SetEnabled(ctl::kReadMarks, enabled.readMarks);
}

void COrientationPanel::Repaint(std::initializer_list<QRect> pictures) const {
    for (const QRect& picture : pictures) {
        Window().update(picture);
    }
}

void COrientationPanel::OnDesign(int orientation) {
    CControllerSettings& settings = Links().settings;
    if (settings.m_nImageType == orientation) {
        return;
    }
    settings.m_nImageType = orientation;
    Repaint(
        {layout::kMediaRotatedPicture, layout::kMediaUnrotatedPicture, layout::kPreviewPicture});
}

void COrientationPanel::OnMedia(int orientation) {
    CControllerSettings& settings = Links().settings;
    if (settings.m_nMediaOrient == orientation) {
        return;
    }
    const int sent = Sender().Send(
        CUnsentChanges::kMediaOrientation,
        [&] { return Links().commands.SendMediaOrientation(orientation, CheckQueues(), true); },
        [&] { settings.m_nMediaOrient = orientation; });
    if (sent != msg::kOk) {
        ControlAs<QRadioButton>(MediaRadio(settings.m_nMediaOrient))->setChecked(true);
        ShowMessage(sent);
        return;
    }
    Repaint({layout::kPreviewPicture});
}

void COrientationPanel::OnMarks(bool checked) {
    Links().settings.m_bTomboRead = checked ? 1 : 0;
    OfferMarkControls();
    // The distances are what the user sets next; they stay off when the launch set them.
    if (checked) {
        FocusForTyping(Edit(ctl::kDistanceX));
    }
    Repaint({layout::kDesignPortraitPicture, layout::kDesignLandscapePicture,
             layout::kMediaRotatedPicture, layout::kMediaUnrotatedPicture,
             layout::kPreviewPicture});
}

void COrientationPanel::OnSearchMarks(bool checked) {
    Links().settings.m_bTomboAuto = checked ? 1 : 0;
    OfferMarkControls();
}

void COrientationPanel::OnMarkSettings() {
    // The window writes the mark settings itself on OK; its result does not matter here.
    CRegMarkDlg dialog(Links().settings, Links().commandLine, Links().model, Folders(),
                       Links().showHelp, &Window());
    dialog.exec();
}

void COrientationPanel::OnReadMarks() {
    // F7 comes here also while the button is not offered: a plotter without mark reading, or
    // cut mode with automatic search, where "Cut" reads them.
    if (!Control(ctl::kReadMarks)->isEnabled() || Links().settings.m_bTomboRead == 0 ||
        !CheckReadingValues()) {
        return;
    }
    if (Links().settings.m_bTomboAuto == 0 && !ConfirmMessage(msg::kConfirmMarkSearch)) {
        return;
    }
    // A failure has been shown; the user may read again.
    static_cast<void>(ReadMarks());
}
