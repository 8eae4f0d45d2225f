#include "ui/main/ConditionPanel.h"

#include "conditions/MediaList.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/LanguageSet.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"
#include "retry/ChangeSender.h"
#include "retry/UnsentChanges.h"
#include "skin/SkinButton.h"
#include "skin/SkinCombo.h"
#include "skin/SkinPictures.h"
#include "ui/dialogs/conditions/CondEditDlg.h"
#include "ui/dialogs/conditions/CondListDlg.h"
#include "ui/dialogs/conditions/ConditionLinks.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ControllerLayout.h"
#include "ui/main/MessageDlg.h"
#include "ui/main/PictureCache.h"

#include <QDialog>
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

} // namespace

CConditionPanel::CConditionPanel(const PanelContext& context) : CMainPanel(context) {}

void CConditionPanel::Init() {
    const CControllerSettings& settings = Links().settings;
    const bool radiosEnabled = Links().commandLine.m_bForceController == 0;
    SetEnabled(ctl::kUsePlotterSettings, radiosEnabled);
    SetEnabled(ctl::kUseControllerSettings, radiosEnabled);
    ControlAs<QRadioButton>(settings.m_nCutCondSetting == 1 ? ctl::kUseControllerSettings
                                                            : ctl::kUsePlotterSettings)
        ->setChecked(true);
    Refresh();

    connect(ControlAs<QRadioButton>(ctl::kUsePlotterSettings), &QRadioButton::clicked, this,
            &CConditionPanel::OnUsePlotterSettings);
    connect(ControlAs<QRadioButton>(ctl::kUseControllerSettings), &QRadioButton::clicked, this,
            &CConditionPanel::OnUseControllerSettings);
    connect(ControlAs<CSkinCombo>(ctl::kMediaType), &QComboBox::activated, this,
            &CConditionPanel::OnSelectMedia);
    connect(ControlAs<CSkinButton>(ctl::kListEdit), &QPushButton::clicked, this,
            &CConditionPanel::OnListEdit);
    connect(ControlAs<CSkinButton>(ctl::kEditConditions), &QPushButton::clicked, this,
            &CConditionPanel::OnEditConditions);
    connect(ControlAs<CSkinButton>(ctl::kImportConditions), &QPushButton::clicked, this,
            &CConditionPanel::OnImportConditions);
}

void CConditionPanel::Refresh() {
    FillMediaList(Links().settings.m_nCutCondSetting);
    ShowCondition(Links().settings.m_nCutCondSetting);
}

void CConditionPanel::FillMediaList(int enabled) {
    auto* mediaType = ControlAs<CSkinCombo>(ctl::kMediaType);
    mediaType->ResetContent();
    const CMediaList& store = Links().mediaList;
    if (enabled != 0 && store.GetCount() > 0) {
        const std::string& current = Links().settings.m_condition.m_strName;
        for (int i = 0; i < store.GetCount(); ++i) {
            const CuttingCondition condition = store.GetConditionAt(i);
            mediaType->AddString(QString::fromStdString(condition.m_strName));
            if (condition.m_strName == current) {
                mediaType->setCurrentIndex(i);
            }
        }
    }
    for (const int id : kConditionControls) {
        SetEnabled(id, enabled != 0);
    }
}

void CConditionPanel::ShowCondition(int enabled) {
    const CuttingCondition& c = Links().settings.m_condition;
    if (enabled == 0) {
        for (const auto& [label, value] : kConditionPairs) {
            SetText(value, {});
            SetVisible(value, false);
            SetVisible(label, true);
            SetEnabled(label, false);
        }
        Window().update();
        return;
    }

    const CPlotterModel& model = Links().model;
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
    Window().update();
}

void CConditionPanel::Paint(QPainter& painter) const {
    const CControllerSettings& settings = Links().settings;
    const BladeCatalogue& catalogue = Links().model.Catalogue();
    if (const int blade = catalogue.IndexOfName(settings.m_condition.m_strBlade); blade >= 0) {
        const std::string file = settings.m_nCutCondSetting == 1
                                     ? catalogue.Entry(blade).strSmallPicture
                                     : std::string(skin::kBladeNeutral);
        Pictures().Draw(painter, file, layout::kBladePicture);
    }
}

void CConditionPanel::OnUsePlotterSettings() {
    CControllerSettings& settings = Links().settings;
    if (settings.m_nCutCondSetting != 1) {
        return;
    }
    const int sent = Sender().Send(
        CUnsentChanges::kPanelSettings,
        [&] { return Links().commands.UsePlotterSettings(CheckQueues(), true); },
        [&] { settings.m_nCutCondSetting = 0; });
    if (sent != msg::kOk) {
        ControlAs<QRadioButton>(ctl::kUseControllerSettings)->setChecked(true);
        ShowMessage(sent);
        return;
    }
    Refresh();
}

void CConditionPanel::OnUseControllerSettings() {
    CControllerSettings& settings = Links().settings;
    if (settings.m_nCutCondSetting != 0) {
        return;
    }
    const CuttingCondition current =
        Links().mediaList.FindCondition(settings.m_condition.m_strName);
    const int sent = Sender().Send(
        CUnsentChanges::kCuttingCondition,
        [&] { return Links().commands.SendCuttingCondition(current, CheckQueues(), true); },
        [&] { settings.m_nCutCondSetting = 1; });
    if (sent != msg::kOk) {
        ControlAs<QRadioButton>(ctl::kUsePlotterSettings)->setChecked(true);
        ShowMessage(sent);
        return;
    }
    Refresh();
}

void CConditionPanel::OnSelectMedia(int index) {
    CControllerSettings& settings = Links().settings;
    const CuttingCondition chosen = Links().mediaList.GetConditionAt(index);
    const int sent = Sender().Send(
        CUnsentChanges::kCuttingCondition,
        [&] { return Links().commands.SendCuttingCondition(chosen, CheckQueues(), true); },
        [&] { settings.m_condition = chosen; });
    if (sent != msg::kOk) {
        auto* mediaType = ControlAs<CSkinCombo>(ctl::kMediaType);
        mediaType->setCurrentIndex(
            mediaType->findText(QString::fromStdString(settings.m_condition.m_strName)));
        ShowMessage(sent);
        return;
    }
    ShowCondition(settings.m_nCutCondSetting);
}

ConditionDialogLinks CConditionPanel::DialogLinks() const {
    const ControllerLinks& links = Links();
    CPlotterQueries& queries = links.queries;
    const CSkinFolders& folders = Folders();
    const int textHeight = links.language.GetTextHeight();
    return ConditionDialogLinks{links.language,
                                links.model,
                                links.settings,
                                links.mediaList,
                                links.commands,
                                Sender(),
                                links.jog,
                                links.programFolder,
                                links.showHelp,
                                [&queries, &folders, textHeight](QWidget* window) {
                                    CMessageDlg progress(queries, folders, textHeight, window);
                                    progress.exec();
                                }};
}

void CConditionPanel::OnListEdit() {
    CCondListDlg list(DialogLinks(), &Window());
    // The list window sorts the store itself after each change.
    static_cast<void>(list.exec());
    Refresh();
}

void CConditionPanel::EditCondition(int mode, const CuttingCondition& condition) {
    CCondEditDlg edit(DialogLinks(), &Window());
    edit.SetMode(static_cast<CCondEditDlg::Mode>(mode));
    edit.SetCondition(condition);
    if (edit.exec() != QDialog::Accepted) {
        return;
    }
    Links().mediaList.SortByName();
    Refresh();
}

void CConditionPanel::OnEditConditions() {
    EditCondition(CCondEditDlg::kModeEditCurrent,
                  Links().mediaList.FindCondition(Links().settings.m_condition.m_strName));
}

void CConditionPanel::OnImportConditions() {
    CuttingCondition plotter =
        Links().mediaList.FindCondition(Links().settings.m_condition.m_strName);
    if (const int read = Links().queries.ReadPlotterCondition(plotter); read != msg::kOk) {
        ShowMessage(read);
        return;
    }
    EditCondition(CCondEditDlg::kModeImport, plotter);
}
