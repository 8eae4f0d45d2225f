// The distance-adjust and tangential-emulation groups of the Advanced Settings window: each
// shows one of nine records, chosen by its combo box. A record that is on is checked before
// the window shows another one, so no record is left behind out of range unseen.
#include "ui/dialogs/settings/AdvancedDlg.h"

#include "conditions/units/LengthUnits.h"
#include "conditions/units/NumberText.h"
#include "core/ControllerSettings.h"
#include "skin/SkinCombo.h"
#include "ui/dialogs/common/FocusForTyping.h"
#include "ui/dialogs/settings/AdvancedDlgLayout.h"

#include <QRadioButton>

namespace {

constexpr int kStringMm = 2006;
constexpr int kStringInch = 2007;

constexpr int kDistanceValueControls[] = {advctl::kLLabel, advctl::kL, advctl::kLPercent,
                                          advctl::kWLabel, advctl::kW, advctl::kWPercent};
constexpr int kTangentialValueControls[] = {advctl::kStartLabel, advctl::kStart, advctl::kStartUnit,
                                            advctl::kEndLabel,   advctl::kEnd,   advctl::kEndUnit};

bool IsSlot(int index) {
    return index >= 0 && index < AdvancedSettings::kSlots;
}

} // namespace

double CAdvancedDlg::TypedPercent(const QString& text) const {
    return ReadLeadingDecimal(QString(text).replace(Separator(), QLatin1Char('.')).toStdString());
}

void CAdvancedDlg::ShowDistanceAdjust() {
    const int shown = m_block.distanceAdjustSelection;
    const AdvancedSettings::DistanceAdjust& record = m_block.distanceAdjust[shown];
    m_pDistanceSlot->setCurrentIndex(shown);
    SetChecked(advctl::kDistanceOff, record.on == 0);
    SetChecked(advctl::kDistanceOn, record.on != 0);
    for (const int id : kDistanceValueControls) {
        SetEnabled(id, record.on != 0);
    }
    Fill(advctl::kL, FormatFixed(record.l, 2, Separator()), 2, record.l);
    Fill(advctl::kW, FormatFixed(record.w, 2, Separator()), 2, record.w);
}

void CAdvancedDlg::ShowTangential() {
    using namespace advctl;
    const int shown = m_block.tangentialSelection;
    const AdvancedSettings::TangentialEmulation& record = m_block.tangential[shown];
    const int mode = OneMode() ? m_block.tangentialMode : m_block.tangentialModeSlot[shown];
    // Template 137 shows a condition's mode only while its emulation is on.
    const bool modeShown = record.on != 0 || OneMode();
    SetChecked(kMode1, modeShown && mode == 1);
    SetChecked(kMode2, modeShown && mode == 2);
    m_pTangentialSlot->setCurrentIndex(shown);
    SetChecked(kTangentialOff, record.on == 0);
    if (OneMode()) {
        SetChecked(kTangentialOn, record.on != 0);
    }
    for (const int id : kTangentialValueControls) {
        SetEnabled(id, record.on != 0);
    }
    const int unit = m_links.settings.m_nUnitType;
    const int decimals = Inch() ? 3 : 1;
    Fill(kStart, FormatDecimalLength(record.start, unit, Separator()), decimals, record.start);
    Fill(kEnd, FormatDecimalLength(record.end, unit, Separator()), decimals, record.end);
    const QString unitText = Text(Inch() ? kStringInch : kStringMm);
    SetText(kStartUnit, unitText);
    SetText(kEndUnit, unitText);
}

void CAdvancedDlg::OnDistanceSlot(int index) {
    const int current = m_block.distanceAdjustSelection;
    if (!IsSlot(index) || (m_block.distanceAdjust[current].on != 0 &&
                           Rejects(Checks().DistanceAdjust(AsShown().distanceAdjust[current])))) {
        m_pDistanceSlot->setCurrentIndex(m_block.distanceAdjustSelection);
        return;
    }
    m_block.distanceAdjustSelection = index;
    ShowDistanceAdjust();
}

void CAdvancedDlg::OnTangentialSlot(int index) {
    const int current = m_block.tangentialSelection;
    if (!IsSlot(index) || (m_block.tangential[current].on != 0 &&
                           Rejects(Checks().Tangential(AsShown().tangential[current])))) {
        m_pTangentialSlot->setCurrentIndex(m_block.tangentialSelection);
        return;
    }
    m_block.tangentialSelection = index;
    ShowTangential();
}

void CAdvancedDlg::OnTangentialMode(int mode) {
    if (OneMode()) {
        m_block.tangentialMode = mode;
        SetChecked(advctl::kMode1, mode == 1);
        SetChecked(advctl::kMode2, mode == 2);
        return;
    }
    // Choosing a condition's mode turns its emulation on.
    m_block.tangentialModeSlot[m_block.tangentialSelection] = mode;
    OnTangentialOn(true);
}

void CAdvancedDlg::OnTangentialOn(bool on) {
    int& shownOn = m_block.tangential[m_block.tangentialSelection].on;
    const bool turnedOn = on && shownOn == 0;
    shownOn = on ? 1 : 0;
    ShowTangential();
    if (turnedOn) {
        FocusForTyping(Edit(advctl::kStart));
    }
}

void CAdvancedDlg::ConnectSlotHandlers() {
    using namespace advctl;
    const auto click = [this](int id, auto handler) {
        connect(static_cast<QRadioButton*>(Control(id)), &QRadioButton::clicked, this, handler);
    };
    click(kDistanceOff, [this] {
        m_block.distanceAdjust[m_block.distanceAdjustSelection].on = 0;
        ShowDistanceAdjust();
    });
    click(kDistanceOn, [this] {
        int& shownOn = m_block.distanceAdjust[m_block.distanceAdjustSelection].on;
        const bool turnedOn = shownOn == 0;
        shownOn = 1;
        ShowDistanceAdjust();
        if (turnedOn) {
            FocusForTyping(Edit(kL));
        }
    });
    OnEdit(kL, 2, [this](const QString& text) {
        m_block.distanceAdjust[m_block.distanceAdjustSelection].l =
            m_shown.Kept(kL, text, TypedPercent(text));
    });
    OnEdit(kW, 2, [this](const QString& text) {
        m_block.distanceAdjust[m_block.distanceAdjustSelection].w =
            m_shown.Kept(kW, text, TypedPercent(text));
    });
    connect(m_pDistanceSlot, &QComboBox::activated, this, &CAdvancedDlg::OnDistanceSlot);

    click(kMode1, [this] { OnTangentialMode(1); });
    click(kMode2, [this] { OnTangentialMode(2); });
    click(kTangentialOff, [this] { OnTangentialOn(false); });
    if (OneMode()) {
        click(kTangentialOn, [this] { OnTangentialOn(true); });
    }
    const int decimals = Inch() ? 3 : 1;
    for (const int id : {kStart, kEnd}) {
        OnEdit(id, decimals, [this, id](const QString& text) {
            const auto microns =
                ParseDecimalLength(text, m_links.settings.m_nUnitType, Separator());
            if (microns) {
                AdvancedSettings::TangentialEmulation& shown =
                    m_block.tangential[m_block.tangentialSelection];
                (id == kStart ? shown.start : shown.end) = m_shown.Kept(id, text, *microns);
            }
        });
    }
    connect(m_pTangentialSlot, &QComboBox::activated, this, &CAdvancedDlg::OnTangentialSlot);
}
