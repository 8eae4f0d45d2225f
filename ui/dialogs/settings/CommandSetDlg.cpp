#include "ui/dialogs/settings/CommandSetDlg.h"

#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/HelpContext.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "protocol/PlotterCommands.h"
#include "skin/SkinButton.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

namespace {

constexpr int kClientWidth = 348;
constexpr int kClientHeight = 75;
constexpr int kStringOk = 2101;
constexpr int kStringCancel = 2014;
constexpr int kStringTitle = 2900;
constexpr int kStringCommand = 2901;

} // namespace

CCommandSetDlg::CCommandSetDlg(const CSkinFolders& folders, CPlotterCommands& commands,
                               CControllerSettings& settings,
                               const CControllerCommandLine& commandLine, ShowHelpFn showHelp,
                               QWidget* parent)
    : CSkinnedDialog(folders, std::move(showHelp), helpcontext::kTopicPlotterSettings,
                     Text(kStringTitle), parent),
      m_commands(commands), m_settings(settings), m_commandLine(commandLine),
      m_nSet(settings.m_bOtherCommandSet) {}

int CCommandSetDlg::OnOpen() {
    CSkinButton* ok = nullptr;
    CSkinButton* cancel = nullptr;
    if (const int setUp = AddButton(kIdOk, 222, 10, kStringOk, ok); setUp != msg::kOk) {
        return setUp;
    }
    if (const int setUp = AddButton(kIdCancel, 222, 42, kStringCancel, cancel); setUp != msg::kOk) {
        return setUp;
    }
    setFixedSize(kClientWidth, kClientHeight);
    Add(new QGroupBox(Text(kStringCommand), this), kIdCommandGroup, {8, 6, 204, 60});
    auto* qvcl = Add(new QRadioButton(QStringLiteral("QV-CL"), this), kIdQvcl, {24, 28, 80, 20});
    auto* hpgl = Add(new QRadioButton(QStringLiteral("HP-GL"), this), kIdHpgl, {116, 28, 80, 20});
    auto* sets = new QButtonGroup(this);
    sets->addButton(qvcl, 0);
    sets->addButton(hpgl, 1);
    (m_nSet == 1 ? hpgl : qvcl)->setChecked(true);

    connect(sets, &QButtonGroup::idClicked, this, [this](int set) { m_nSet = set; });
    connect(ok, &CSkinButton::clicked, this, &CCommandSetDlg::OnOK);
    connect(cancel, &CSkinButton::clicked, this, &CCommandSetDlg::reject);
    ok->setDefault(true);
    return msg::kOk;
}

void CCommandSetDlg::OnOK() {
    const int switched =
        m_commands.SwitchCommandSet(m_nSet, m_commandLine.m_bSkipQueueCheck == 0, true);
    if (switched != msg::kOk) {
        ShowMessage(switched);
        return;
    }
    m_settings.m_bOtherCommandSet = m_nSet;
    done(kIdOk);
}
