#include "ui/dialogs/option/OptionDlg.h"

#include "core/ControllerSettings.h"
#include "core/HelpContext.h"
#include "core/messages/MessageCodes.h"
#include "skin/SkinButton.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

namespace {

constexpr int kClientWidth = 313;
constexpr int kClientHeight = 75;
constexpr int kStringOk = 2101;
constexpr int kStringCancel = 2014;
constexpr int kStringMm = 2006;
constexpr int kStringInch = 2007;
constexpr int kStringTitle = 2910;
constexpr int kStringUnit = 2911;

} // namespace

COptionDlg::COptionDlg(const CSkinFolders& folders, CControllerSettings& settings,
                       ShowHelpFn showHelp, QWidget* parent)
    : CSkinnedDialog(folders, std::move(showHelp), helpcontext::kTopicMainWindow,
                     Text(kStringTitle), parent),
      m_settings(settings), m_nUnit(settings.m_nUnitType) {}

int COptionDlg::OnOpen() {
    CSkinButton* ok = nullptr;
    CSkinButton* cancel = nullptr;
    if (const int setUp = AddButton(kIdOk, 188, 10, kStringOk, ok); setUp != msg::kOk) {
        return setUp;
    }
    if (const int setUp = AddButton(kIdCancel, 188, 42, kStringCancel, cancel); setUp != msg::kOk) {
        return setUp;
    }
    setFixedSize(kClientWidth, kClientHeight);
    Add(new QGroupBox(Text(kStringUnit), this), kIdUnitGroup, {8, 6, 170, 60});
    auto* mm = Add(new QRadioButton(Text(kStringMm), this), kIdMillimetres, {24, 28, 60, 20});
    auto* inch = Add(new QRadioButton(Text(kStringInch), this), kIdInches, {96, 28, 60, 20});
    auto* units = new QButtonGroup(this);
    units->addButton(mm, 0);
    units->addButton(inch, 1);
    (m_nUnit == 1 ? inch : mm)->setChecked(true);

    connect(units, &QButtonGroup::idClicked, this, [this](int unit) { m_nUnit = unit; });
    connect(ok, &CSkinButton::clicked, this, &COptionDlg::OnOK);
    connect(cancel, &CSkinButton::clicked, this, &COptionDlg::reject);
    ok->setDefault(true);
    return msg::kOk;
}

void COptionDlg::OnOK() {
    m_settings.m_nUnitType = m_nUnit;
    done(kIdOk);
}
