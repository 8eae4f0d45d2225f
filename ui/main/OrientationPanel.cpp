#include "ui/main/OrientationPanel.h"

#include "conditions/units/LengthUnits.h"
#include "conditions/units/NumberText.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "models/PlotterModel.h"
#include "ui/main/ControlIds.h"
#include "ui/main/MarkPanelState.h"
#include "ui/main/OrientationPictures.h"
#include "ui/main/PictureCache.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int kDistanceControls[] = {
    ctl::kDistanceLabel,  ctl::kDistanceXLabel, ctl::kDistanceX,     ctl::kDistanceXUnit,
    ctl::kDistanceYLabel, ctl::kDistanceY,      ctl::kDistanceYUnit,
};

} // namespace

COrientationPanel::COrientationPanel(const PanelContext& context) : CMainPanel(context) {}

void COrientationPanel::Init() {
    CControllerSettings& settings = Links().settings;
    const CControllerCommandLine& cl = Links().commandLine;
    const bool available = settings.m_bMarkReadingAvailable != 0;
    if (!Links().model.SupportsAreaCorrection() && settings.m_nTmbReadType == 3) {
        settings.m_nTmbReadType = 2;
    }

    ControlAs<QCheckBox>(ctl::kMarks)->setChecked(available && settings.m_bTomboRead != 0);
    ControlAs<QCheckBox>(ctl::kSearchMarks)->setChecked(available && settings.m_bTomboAuto != 0);
    ControlAs<QRadioButton>(settings.m_nImageType == 1 ? ctl::kDesignPortrait
                                                       : ctl::kDesignLandscape)
        ->setChecked(true);
    ControlAs<QRadioButton>(settings.m_nMediaOrient == 1 ? ctl::kMediaRotated
                                                         : ctl::kMediaUnrotated)
        ->setChecked(true);

    ShowUnit();
    ShowDistances();

    // The launching program owns the marks when it set the distances or turned marks off.
    const bool launchOwnsMarks =
        cl.m_bMarkDistance != 0 || (cl.m_bNoMarks != 0 && cl.m_bCutMode != 0);
    const MarkPanelEnabled enabled =
        EnableMarkControls({available, settings.m_bTomboRead != 0, settings.m_bTomboAuto != 0,
                            cl.m_bCutMode != 0, launchOwnsMarks});
    SetEnabled(ctl::kMarks, enabled.marks);
    SetEnabled(ctl::kSearchMarks, enabled.searchMarks);
    for (const int id : kDistanceControls) {
        SetEnabled(id, enabled.distances);
    }
    SetEnabled(ctl::kMarkSettings, enabled.settings);
    SetEnabled(ctl::kReadMarks, enabled.readMarks);
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
    return widget != nullptr &&
           (widget == Control(ctl::kDistanceX) || widget == Control(ctl::kDistanceY));
}

void COrientationPanel::ShowUnit() {
    const QString unit =
        LoadText(Links().settings.m_nUnitType == kUnitInch ? str::kInch : str::kMm);
    SetText(ctl::kDistanceXUnit, unit);
    SetText(ctl::kDistanceYUnit, unit);
}

void COrientationPanel::RenewUnit() {
    ShowUnit();
    ClampDistances();
    ShowDistances();
}

void COrientationPanel::ShowDistances() {
    const CControllerSettings& settings = Links().settings;
    const QChar separator = QLatin1Char(settings.m_cDecimalSeparator);
    SetText(ctl::kDistanceX,
            FormatDecimalLength(settings.m_nTomboDisX, settings.m_nUnitType, separator));
    SetText(ctl::kDistanceY,
            FormatDecimalLength(settings.m_nTomboDisY, settings.m_nUnitType, separator));
}

void COrientationPanel::ClampDistances() {
    CControllerSettings& settings = Links().settings;
    const MarkRange ranges = Links().model.MarkRanges();
    const bool inch = settings.m_nUnitType == kUnitInch;
    const DoubleRange along = inch ? ranges.alongInch : ranges.alongMm;
    const double micronsPerUnit = inch ? kMicronsPerInch : kMicronsPerMm;
    const QChar separator = QLatin1Char(settings.m_cDecimalSeparator);

    auto clamp = [&](int editId, int& stored) {
        QString text = Edit(editId)->text();
        text.replace(separator, QLatin1Char('.'));
        const double typed = ReadLeadingDecimal(text.toStdString());
        if (typed < along.dMin) {
            stored = TruncateToMicrons(along.dMin * micronsPerUnit);
        } else if (typed > along.dMax) {
            stored = TruncateToMicrons(along.dMax * micronsPerUnit);
        }
    };
    clamp(ctl::kDistanceX, settings.m_nTomboDisX);
    clamp(ctl::kDistanceY, settings.m_nTomboDisY);
}
