// The condition area: which conditions the plotter uses and the media type.
#include "ui/main/ControllerDlg.h"

#include "conditions/MediaList.h"
#include "core/ControllerSettings.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "protocol/PlotterCommands.h"
#include "retry/UnsentChanges.h"
#include "skin/SkinCombo.h"
#include "ui/main/ControlIds.h"

#include <QRadioButton>

namespace {

constexpr int kConditionControls[] = {
    ctl::kMediaTypeLabel, ctl::kMediaType,      ctl::kBladeLabel,       ctl::kTestLabel,
    ctl::kTestCut,        ctl::kEditConditions, ctl::kImportConditions,
};

// Label and value of the five condition texts.
constexpr std::pair<int, int> kConditionPairs[] = {
    {ctl::kBladeLabel, ctl::kBladeValue},   {ctl::kForceLabel, ctl::kForceValue},
    {ctl::kSpeedLabel, ctl::kSpeedValue},   {ctl::kQualityLabel, ctl::kQualityValue},
    {ctl::kOffsetLabel, ctl::kOffsetValue},
};

bool IsBusy(int code) {
    return code == msg::kPlotterBusy || code == msg::kPlotterNotReady;
}

} // namespace

void CControllerDlg::FillMediaList(int enabled) {
    m_pMediaType->ResetContent();
    const CMediaList& store = m_links.mediaList;
    if (enabled != 0 && store.GetCount() > 0) {
        const std::string& current = m_links.settings.m_condition.m_strName;
        for (int i = 0; i < store.GetCount(); ++i) {
            const CuttingCondition condition = store.GetConditionAt(i);
            m_pMediaType->AddString(QString::fromStdString(condition.m_strName));
            if (condition.m_strName == current) {
                m_pMediaType->setCurrentIndex(i);
            }
        }
    }
    for (const int id : kConditionControls) {
        SetEnabled(id, enabled != 0);
    }
}

void CControllerDlg::ShowCondition(int enabled) {
    const CuttingCondition& c = m_links.settings.m_condition;
    if (enabled == 0) {
        for (const auto& [label, value] : kConditionPairs) {
            SetText(value, {});
            SetVisible(value, false);
            SetVisible(label, true);
            SetEnabled(label, false);
        }
        update();
        return;
    }

    const CPlotterModel& model = m_links.model;
    const BladeCatalogue& catalogue = model.Catalogue();
    const int blade = catalogue.IndexOfName(c.m_strBlade);
    const bool offsetShown = blade < 0 || catalogue.Entry(blade).role != BladeRole::ToolSeries;
    const bool qualityShown = model.HasQualitySetting();

    SetText(ctl::kBladeValue, QString::fromStdString(c.m_strBlade));
    SetText(ctl::kForceValue, QString::number(c.m_nForce));
    SetText(ctl::kSpeedValue, QString::number(c.m_nSpeed));
    SetText(ctl::kQualityValue, QString::number(c.m_nQuality));
    SetText(ctl::kOffsetValue, QString::number(c.m_nOffset));
    for (const auto& [label, value] : kConditionPairs) {
        const bool shown = (label != ctl::kQualityLabel || qualityShown) &&
                           (label != ctl::kOffsetLabel || offsetShown);
        SetVisible(label, shown);
        SetVisible(value, shown);
        SetEnabled(label, true);
    }
    update();
}

void CControllerDlg::OnUsePlotterSettings() {
    CControllerSettings& settings = m_links.settings;
    if (settings.m_nCutCondSetting != 1) {
        return;
    }
    const int sent = m_links.commands.UsePlotterSettings(CheckQueues(), true);
    if (sent != msg::kOk && !IsBusy(sent)) {
        static_cast<QRadioButton*>(Control(ctl::kUseControllerSettings))->setChecked(true);
        ShowMessage(sent);
        return;
    }
    settings.m_nCutCondSetting = 0;
    if (IsBusy(sent)) {
        MarkUnsent(CUnsentChanges::kPanelSettings);
    } else {
        PublishRetryValues();
    }
    FillMediaList(0);
    ShowCondition(0);
}

void CControllerDlg::OnUseControllerSettings() {
    CControllerSettings& settings = m_links.settings;
    if (settings.m_nCutCondSetting != 0) {
        return;
    }
    const CuttingCondition current =
        m_links.mediaList.FindCondition(settings.m_condition.m_strName);
    const int sent = m_links.commands.SendCuttingCondition(current, CheckQueues(), true);
    if (sent != msg::kOk && !IsBusy(sent)) {
        static_cast<QRadioButton*>(Control(ctl::kUsePlotterSettings))->setChecked(true);
        ShowMessage(sent);
        return;
    }
    settings.m_nCutCondSetting = 1;
    if (IsBusy(sent)) {
        MarkUnsent(CUnsentChanges::kCuttingCondition);
    } else {
        PublishRetryValues();
    }
    FillMediaList(1);
    ShowCondition(1);
}

void CControllerDlg::OnSelectMedia(int index) {
    CControllerSettings& settings = m_links.settings;
    const CuttingCondition chosen = m_links.mediaList.GetConditionAt(index);
    const int sent = m_links.commands.SendCuttingCondition(chosen, CheckQueues(), true);
    if (sent != msg::kOk && !IsBusy(sent)) {
        m_pMediaType->setCurrentIndex(
            m_pMediaType->findText(QString::fromStdString(settings.m_condition.m_strName)));
        ShowMessage(sent);
        return;
    }
    settings.m_condition = chosen;
    if (IsBusy(sent)) {
        MarkUnsent(CUnsentChanges::kCuttingCondition);
    } else {
        PublishRetryValues();
    }
    ShowCondition(settings.m_nCutCondSetting);
}
