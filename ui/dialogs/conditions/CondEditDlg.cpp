// The condition edit window: opening, layout, the blade and its picture, the levels.
#include "ui/dialogs/conditions/CondEditDlg.h"

#include "conditions/MediaList.h"
#include "core/ControllerSettings.h"
#include "core/LanguageSet.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "skin/SkinButton.h"
#include "skin/SkinCombo.h"
#include "skin/SkinControl.h"
#include "skin/SkinRadio.h"
#include "ui/dialogs/common/KeyboardJog.h"
#include "ui/dialogs/common/WindowLook.h"
#include "ui/dialogs/conditions/ConditionRules.h"
#include "ui/dialogs/conditions/LevelSlider.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>

namespace {

constexpr int kClientWidth = 565;
constexpr int kClientHeight = 279;
constexpr int kFontHeight = 12;
const QColor kSeparator(140, 140, 140);
constexpr QPoint kSeparatorFrom(12, 236);
constexpr QPoint kSeparatorTo(553, 236);
constexpr QRect kBladePicture(12, 51, 105, 150);

// The slider rows' lines, top to bottom: force, speed, quality, offset.
constexpr int kForceY = 53;
constexpr int kSpeedY = 97;
constexpr int kQualityY = 141;
constexpr int kOffsetY = 185;

constexpr int kStringNewMedia = 2300;
constexpr int kStringUseKeyboard = 2005;
constexpr int kStringAboutBlades = 2306;
constexpr int kStringOk = 2101;
constexpr int kStringCancel = 2014;
constexpr int kStringNameLabel = 2830;
constexpr int kStringBladeLabel = 2831;
constexpr int kStringFiveTestLabel = 2832;
constexpr int kStringTestLabel = 2833;
constexpr int kStringPosition = 2834;
constexpr int kStringForce = 2835;
constexpr int kStringSpeed = 2836;
constexpr int kStringQuality = 2837;
constexpr int kStringOffset = 2838;

constexpr int kTextButtonKind = 0;
constexpr int kTestCutKind = 3;
constexpr int kFiveTestCutKind = 4;
constexpr int kToggleKind = 0;
constexpr int kBladeComboKind = 2;

int TitleFor(CCondEditDlg::Mode mode) {
    switch (mode) {
    case CCondEditDlg::kModeEditCurrent:
        return 2304;
    case CCondEditDlg::kModeImport:
        return 2305;
    case CCondEditDlg::kModeNew:
        return 2301;
    case CCondEditDlg::kModeEdit:
        return 2302;
    case CCondEditDlg::kModeCopy:
        return 2303;
    }
    return 2301;
}

} // namespace

CCondEditDlg::CCondEditDlg(const ConditionDialogLinks& links, QWidget* parent)
    : QDialog(parent), m_links(links),
      m_folders(QString::fromStdString(links.programFolder),
                QString::fromStdString(links.language.GetBitmapFolder())),
      m_condition(links.mediaList.DefaultCondition(WindowText(kStringNewMedia).toStdString())) {
    ApplyWindowLook(*this, QString());
}

CCondEditDlg::~CCondEditDlg() {
    qApp->removeEventFilter(this);
}

QWidget* CCondEditDlg::Control(int id) const {
    return skin::FindControl(this, id);
}

int CCondEditDlg::exec() {
    if (const int failed = OnInitDialog(); failed != msg::kOk) {
        return failed;
    }
    return QDialog::exec();
}

int CCondEditDlg::OnInitDialog() {
    setWindowTitle(WindowText(TitleFor(m_nMode)));
    m_strBlade = m_condition.m_strBlade;
    int created = CreateSkinnedControls();
    if (created == msg::kOk) {
        created = CreatePlainControls();
    }
    if (created != msg::kOk) {
        ShowMessage(created);
        setResult(created);
        return created;
    }
    ShowName();

    ShowLevels();
    FillBlades();
    setFixedSize(kClientWidth, kClientHeight);
    setFont(WindowFont(kFontHeight));
    LoadBladePictures();

    // Test cuts try the values on the controller's conditions only.
    const bool testCuts = m_links.settings.m_nCutCondSetting == 1;
    for (const int id : {kIdTestCut, kIdFiveTestCut, kIdTestLabel, kIdFiveTestLabel}) {
        Control(id)->setEnabled(testCuts);
    }

    connect(m_pBlades, &QComboBox::currentIndexChanged, this, &CCondEditDlg::OnBladeChanged);
    connect(m_pTestCut, &CSkinButton::clicked, this, [this] { OnTestCut(false); });
    connect(m_pFiveTestCut, &CSkinButton::clicked, this, [this] { OnTestCut(true); });
    m_pKeyboardJog = std::make_unique<CKeyboardJog>(*this, *m_pKeyboard, m_links.jog);
    qApp->installEventFilter(this);
    m_bOpened = true;
    return msg::kOk;
}

int CCondEditDlg::CreateSkinnedControls() {
    const int captionHeight = PixelSizeForCellHeight(kFontHeight);
    const struct {
        int id;
        int x;
        int y;
        int kind;
        int caption;
    } buttons[] = {
        {kIdFiveTestCut, 436, 33, kFiveTestCutKind, 0},
        {kIdTestCut, 474, 111, kTestCutKind, 0},
        {kIdAboutBlades, 12, 248, kTextButtonKind, kStringAboutBlades},
        {kIdOk, 305, 248, kTextButtonKind, kStringOk},
        {kIdCancel, 436, 248, kTextButtonKind, kStringCancel},
    };
    for (const auto& b : buttons) {
        auto* button = new CSkinButton(m_folders, this);
        const QString caption = b.caption != 0 ? WindowText(b.caption) : QString();
        if (const int setUp = button->SetUp(b.id, b.x, b.y, b.kind, caption, captionHeight);
            setUp != msg::kOk) {
            return setUp;
        }
    }
    m_pFiveTestCut = static_cast<CSkinButton*>(Control(kIdFiveTestCut));
    m_pTestCut = static_cast<CSkinButton*>(Control(kIdTestCut));
    connect(static_cast<CSkinButton*>(Control(kIdAboutBlades)), &CSkinButton::clicked, this,
            &CCondEditDlg::OnAboutBlades);
    connect(static_cast<CSkinButton*>(Control(kIdOk)), &CSkinButton::clicked, this,
            &CCondEditDlg::OnOK);
    connect(static_cast<CSkinButton*>(Control(kIdCancel)), &CSkinButton::clicked, this,
            &QDialog::reject);

    m_pKeyboard = new CSkinRadio(m_folders, this);
    if (const int setUp = m_pKeyboard->SetUp(kIdUseKeyboard, 436, 190, kToggleKind,
                                             WindowText(kStringUseKeyboard), captionHeight);
        setUp != msg::kOk) {
        return setUp;
    }

    const int textHeight = m_links.language.GetTextHeight();
    const struct {
        CLevelSlider** row;
        CLevelSlider::Ids ids;
        int caption;
        int y;
    } levels[] = {
        {&m_pForce,
         {kIdForceLabel, kIdForceValue, kIdForce, kIdForceLower, kIdForceUpper},
         kStringForce,
         kForceY},
        {&m_pSpeed,
         {kIdSpeedLabel, kIdSpeedValue, kIdSpeed, kIdSpeedLower, kIdSpeedUpper},
         kStringSpeed,
         kSpeedY},
        {&m_pQuality,
         {kIdQualityLabel, kIdQualityValue, kIdQuality, kIdQualityLower, kIdQualityUpper},
         kStringQuality,
         kQualityY},
        {&m_pOffset,
         {kIdOffsetLabel, kIdOffsetValue, kIdOffset, kIdOffsetLower, kIdOffsetUpper},
         kStringOffset,
         kOffsetY},
    };
    for (const auto& level : levels) {
        *level.row = new CLevelSlider(m_folders, *this, level.ids, WindowText(level.caption));
        if (const int setUp = (*level.row)->SetUp(level.y, textHeight); setUp != msg::kOk) {
            return setUp;
        }
    }

    m_pBlades = new CSkinCombo(m_folders, this);
    return m_pBlades->SetUp(kIdBlade, 12, 204, kBladeComboKind, captionHeight);
}

int CCondEditDlg::CreatePlainControls() {
    const int textHeight = m_links.language.GetTextHeight();
    // The frame goes under the toggle it surrounds.
    auto* position = new QGroupBox(WindowText(kStringPosition), this);
    position->setGeometry(429, 171, 130, 53);
    position->lower();
    m_pName = new QLineEdit(this);
    m_pName->setGeometry(134, 11, 278, 21);

    const struct {
        QWidget* control;
        int id;
    } plain[] = {
        {new QLabel(WindowText(kStringNameLabel), this), kIdNameLabel},
        {new QLabel(WindowText(kStringBladeLabel), this), kIdBladeLabel},
        {new QLabel(WindowText(kStringFiveTestLabel), this), kIdFiveTestLabel},
        {new QLabel(WindowText(kStringTestLabel), this), kIdTestLabel},
        {position, kIdPosition},
        {m_pName, kIdName},
    };
    for (const auto& [control, id] : plain) {
        if (!skin::AttachControl(control, this, id)) {
            return msg::kControlAttachFailed;
        }
    }
    Control(kIdNameLabel)->setGeometry(12, 15, 120, textHeight);
    Control(kIdBladeLabel)->setGeometry(12, 35, 120, textHeight);
    Control(kIdFiveTestLabel)->setGeometry(432, 15, 125, textHeight);
    Control(kIdTestLabel)->setGeometry(467, 93, 53, textHeight);
    return msg::kOk;
}

void CCondEditDlg::ShowName() {
    const bool typed = m_nMode == kModeNew || m_nMode == kModeCopy;
    // A new list gets a name no list has, so that OK works without typing one.
    m_strShownName =
        typed ? condrules::FreeName(m_condition.m_strName,
                                    [this](const std::string& name) {
                                        return m_links.mediaList.Lookup(name).has_value();
                                    })
              : m_condition.m_strName;
    m_pName->setText(QString::fromStdString(m_strShownName));
    m_pName->setReadOnly(!typed);
    if (!typed) {
        // On the window's background, as a box that takes no typing is drawn, so that it does
        // not invite any.
        QPalette look = m_pName->palette();
        look.setColor(QPalette::Base, kWindowBackground);
        m_pName->setPalette(look);
    }
}

void CCondEditDlg::ShowLevels() {
    const ConditionRange ranges = m_links.model.ConditionRanges();
    m_pForce->SetBounds(ranges.force, true, condrules::kForcePageStep);
    m_pForce->SetValue(m_condition.m_nForce);
    m_pSpeed->SetBounds(ranges.speed, true, condrules::kSpeedPageStep);
    m_pSpeed->SetValue(m_condition.m_nSpeed);
    m_pQuality->SetBounds(ranges.quality, m_links.model.HasQualitySetting(),
                          condrules::kQualityPageStep);
    m_pQuality->SetValue(m_condition.m_nQuality);
    SetUpOffset();
    m_pOffset->SetValue(m_condition.m_nOffset);
}

void CCondEditDlg::SetUpOffset() {
    const BladeCatalogue& catalogue = m_links.model.Catalogue();
    const condrules::OffsetRule rule = condrules::OffsetRuleFor(
        catalogue, catalogue.IndexOfName(m_strBlade), m_links.model.ConditionRanges());
    m_pOffset->SetBounds(rule.bounds, rule.offered, rule.pageStep);
}

void CCondEditDlg::FillBlades() {
    const BladeCatalogue& catalogue = m_links.model.Catalogue();
    m_pBlades->ResetContent();
    for (int i = 0; i < catalogue.OfferedCount(); ++i) {
        m_pBlades->AddString(QString::fromStdString(catalogue.Entry(i).strName));
    }
    m_pBlades->setCurrentIndex(catalogue.IndexOfName(m_strBlade));
}

void CCondEditDlg::LoadBladePictures() {
    const BladeCatalogue& catalogue = m_links.model.Catalogue();
    m_bladePictures.resize(static_cast<std::size_t>(catalogue.OfferedCount()));
    for (int i = 0; i < catalogue.OfferedCount(); ++i) {
        // A picture that cannot be read is simply not drawn.
        m_bladePictures[static_cast<std::size_t>(i)].Init(
            m_folders.CommonPicture(catalogue.Entry(i).strLargePicture), kBladePicture);
    }
}

void CCondEditDlg::OnBladeChanged(int index) {
    const BladeCatalogue& catalogue = m_links.model.Catalogue();
    if (index < 0 || index >= catalogue.OfferedCount()) {
        return;
    }
    m_strBlade = catalogue.Entry(index).strName;
    SetUpOffset();
    update(kBladePicture);
}

CuttingCondition CCondEditDlg::OnScreen(const std::string& name) const {
    return {name,
            m_strBlade,
            m_pForce->Value(),
            m_pSpeed->Value(),
            m_pQuality->Value(),
            m_pOffset->Value()};
}

void CCondEditDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    const int blade = m_links.model.Catalogue().IndexOfName(m_strBlade);
    if (blade >= 0 && blade < static_cast<int>(m_bladePictures.size())) {
        m_bladePictures[static_cast<std::size_t>(blade)].Draw(painter);
    }
    painter.setPen(kSeparator);
    painter.drawLine(kSeparatorFrom, kSeparatorTo);
}
