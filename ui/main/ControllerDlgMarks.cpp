// The orientation and registration-mark panel as the window fills it when it opens, and the
// distance clamp that saving the settings uses.
#include "ui/main/ControllerDlg.h"

#include "conditions/units/LengthUnits.h"
#include "conditions/units/NumberText.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/messages/CMessageService.h"
#include "models/PlotterModel.h"
#include "ui/main/ControlIds.h"
#include "ui/main/MarkPanelState.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int kStringMm = 2006;
constexpr int kStringInch = 2007;

constexpr int kDistanceControls[] = {
    ctl::kDistanceLabel,  ctl::kDistanceXLabel, ctl::kDistanceX,     ctl::kDistanceXUnit,
    ctl::kDistanceYLabel, ctl::kDistanceY,      ctl::kDistanceYUnit,
};

} // namespace

void CControllerDlg::ShowMarkPanel() {
    const CControllerSettings& settings = m_links.settings;
    const CControllerCommandLine& cl = m_links.commandLine;
    const bool available = settings.m_bMarkReadingAvailable != 0;

    static_cast<QCheckBox*>(Control(ctl::kMarks))
        ->setChecked(available && settings.m_bTomboRead != 0);
    static_cast<QCheckBox*>(Control(ctl::kSearchMarks))
        ->setChecked(available && settings.m_bTomboAuto != 0);
    static_cast<QRadioButton*>(
        Control(settings.m_nImageType == 1 ? ctl::kDesignPortrait : ctl::kDesignLandscape))
        ->setChecked(true);
    static_cast<QRadioButton*>(
        Control(settings.m_nMediaOrient == 1 ? ctl::kMediaRotated : ctl::kMediaUnrotated))
        ->setChecked(true);

    const QString unit = QString::fromStdString(CMessageService::Instance().Strings().LoadString(
        settings.m_nUnitType == kUnitInch ? kStringInch : kStringMm));
    SetText(ctl::kDistanceXUnit, unit);
    SetText(ctl::kDistanceYUnit, unit);
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

void CControllerDlg::ShowDistances() {
    const CControllerSettings& settings = m_links.settings;
    const QChar separator = QLatin1Char(settings.m_cDecimalSeparator);
    SetText(ctl::kDistanceX,
            FormatDecimalLength(settings.m_nTomboDisX, settings.m_nUnitType, separator));
    SetText(ctl::kDistanceY,
            FormatDecimalLength(settings.m_nTomboDisY, settings.m_nUnitType, separator));
}

void CControllerDlg::ClampDistances() {
    CControllerSettings& settings = m_links.settings;
    const MarkRange ranges = m_links.model.MarkRanges();
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
