#include "ui/dialogs/marks/RegMarkDlg.h"

#include "conditions/units/EditFilters.h"
#include "conditions/units/LengthUnits.h"
#include "conditions/units/MarkLimits.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/HelpContext.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"
#include "skin/SkinPictures.h"
#include "ui/dialogs/common/FocusForTyping.h"
#include "ui/dialogs/common/PicturePane.h"
#include "ui/dialogs/common/RangeReport.h"
#include "ui/dialogs/common/WindowLook.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int kClientWidth = 306;
constexpr int kClientHeight = 485;
constexpr int kFontHeight = 12;
constexpr int kButtonKind = 0;
constexpr int kStringMm = 2006;
constexpr int kStringInch = 2007;
constexpr int kStringOk = 2101;
constexpr int kStringCancel = 2014;
constexpr int kMmDecimals = 1;
constexpr int kInchDecimals = 3;

// The length and thickness edits take the colours of their arrows in the picture beside them.
const QColor kLengthColour(255, 0, 0);
const QColor kThicknessColour(0, 0, 255);

struct Place {
    int id;
    QRect rect;
};

constexpr Place kGroups[] = {
    {CRegMarkDlg::kIdMethodGroup, {8, 8, 290, 180}},
    {CRegMarkDlg::kIdTypeGroup, {8, 196, 290, 100}},
};
constexpr Place kMethodRadios[] = {
    {CRegMarkDlg::kIdTwoPoints, {20, 32, 120, 18}},
    {CRegMarkDlg::kIdThreePoints, {20, 56, 120, 18}},
    {CRegMarkDlg::kIdFourPoints, {20, 80, 120, 18}},
    {CRegMarkDlg::kIdArea, {20, 104, 120, 18}},
};
constexpr Place kTypeRadios[] = {
    {CRegMarkDlg::kIdTypeInside, {24, 238, 16, 16}},
    {CRegMarkDlg::kIdTypeOutside, {156, 238, 16, 16}},
};
constexpr QRect kStepLabelRect(20, 156, 60, 14);
constexpr QRect kStepALabelRect(130, 156, 20, 14);
constexpr QRect kStepRect(152, 152, 80, 20);
constexpr QRect kStepUnitRect(238, 156, 50, 14);
constexpr QRect kLengthRect(164, 316, 80, 20);
constexpr QRect kLengthUnitRect(250, 319, 44, 14);
constexpr QRect kThicknessRect(164, 354, 80, 20);
constexpr QRect kThicknessUnitRect(250, 357, 44, 14);
constexpr QPoint kOkPosition(30, 449);
constexpr QPoint kCancelPosition(159, 449);

constexpr QRect kTypeInsideRect(44, 214, skin::kMarkTypeWidth, skin::kMarkTypeHeight);
constexpr QRect kTypeOutsideRect(176, 214, skin::kMarkTypeWidth, skin::kMarkTypeHeight);
constexpr QRect kLengthThicknessRect(16, 312, skin::kMarkLengthWidth, skin::kMarkLengthHeight);

constexpr int kStringTitle = 2850;
constexpr int kStringMethodGroup = 2851;
constexpr int kStringTypeGroup = 2852;
constexpr int kStringFirstMethod = 2853; // "2 points", "3 points", "4 points", "Area"
constexpr int kStringStep = 2857;
constexpr int kStringStepA = 2858;

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CRegMarkDlg::CRegMarkDlg(CControllerSettings& settings, const CControllerCommandLine& commandLine,
                         const CPlotterModel& model, const CSkinFolders& folders, ShowHelp showHelp,
                         QWidget* parent)
    : QDialog(parent), m_settings(settings), m_commandLine(commandLine), m_model(model),
      m_folders(folders), m_fnShowHelp(std::move(showHelp)), m_nMethod(settings.m_nTmbReadType),
      m_nType(settings.m_nTmbType), m_nStep(settings.m_nTmbStep), m_nLength(settings.m_nTmbLength),
      m_nThickness(settings.m_nTmbThickness), m_pMethods(new QButtonGroup(this)),
      m_pTypes(new QButtonGroup(this)) {
    ApplyWindowLook(*this, WindowText(kStringTitle));
    CreateControls();
}

QWidget* CRegMarkDlg::Control(int id) const {
    return skin::FindControl(this, id);
}

int CRegMarkDlg::exec() {
    if (const int failed = OnInitDialog(); failed != msg::kOk) {
        ShowMessage(failed);
        setResult(failed);
        return failed;
    }
    return QDialog::exec();
}

// The plain controls exist from construction, made in the order of their ids, which is also
// their tab order. The frames come first so that they lie below what they frame: the method
// frame made after the step edit lay over it and took the clicks meant for it.
void CRegMarkDlg::CreateControls() {
    skin::AttachControl(new QGroupBox(WindowText(kStringMethodGroup), this), this, kIdMethodGroup);
    skin::AttachControl(new QGroupBox(WindowText(kStringTypeGroup), this), this, kIdTypeGroup);
    for (int method = 0; method < 4; ++method) {
        auto* radio = new QRadioButton(WindowText(kStringFirstMethod + method), this);
        skin::AttachControl(radio, this, kMethodRadios[method].id);
        m_pMethods->addButton(radio, method);
    }
    for (int type = 0; type < 2; ++type) {
        auto* radio = new QRadioButton(this);
        skin::AttachControl(radio, this, kTypeRadios[type].id);
        m_pTypes->addButton(radio, type);
    }
    skin::AttachControl(new QLabel(WindowText(kStringStep), this), this, kIdStepLabel);
    skin::AttachControl(new QLabel(WindowText(kStringStepA), this), this, kIdStepALabel);
    m_pStep = new QLineEdit(this);
    skin::AttachControl(m_pStep, this, kIdStep);
    skin::AttachControl(new QLabel(this), this, kIdStepUnit);
    m_pLength = new QLineEdit(this);
    skin::AttachControl(m_pLength, this, kIdLength);
    skin::AttachControl(new QLabel(this), this, kIdLengthUnit);
    m_pThickness = new QLineEdit(this);
    skin::AttachControl(m_pThickness, this, kIdThickness);
    skin::AttachControl(new QLabel(this), this, kIdThicknessUnit);
}

int CRegMarkDlg::OnInitDialog() {
    const int captionHeight = PixelSizeForCellHeight(kFontHeight);
    auto* ok = new CSkinButton(m_folders, this);
    if (const int setUp = ok->SetUp(kIdOk, kOkPosition.x(), kOkPosition.y(), kButtonKind,
                                    WindowText(kStringOk), captionHeight);
        setUp != msg::kOk) {
        return setUp;
    }
    auto* cancel = new CSkinButton(m_folders, this);
    if (const int setUp = cancel->SetUp(kIdCancel, kCancelPosition.x(), kCancelPosition.y(),
                                        kButtonKind, WindowText(kStringCancel), captionHeight);
        setUp != msg::kOk) {
        return setUp;
    }
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CRegMarkDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &CRegMarkDlg::reject);

    setFixedSize(kClientWidth, kClientHeight);
    for (const Place& place : kGroups) {
        Control(place.id)->setGeometry(place.rect);
    }
    for (const Place& place : kMethodRadios) {
        Control(place.id)->setGeometry(place.rect);
    }
    for (const Place& place : kTypeRadios) {
        Control(place.id)->setGeometry(place.rect);
    }
    Control(kIdStepLabel)->setGeometry(kStepLabelRect);
    Control(kIdStepALabel)->setGeometry(kStepALabelRect);
    m_pStep->setGeometry(kStepRect);
    Control(kIdStepUnit)->setGeometry(kStepUnitRect);
    m_pLength->setGeometry(kLengthRect);
    Control(kIdLengthUnit)->setGeometry(kLengthUnitRect);
    m_pThickness->setGeometry(kThicknessRect);
    Control(kIdThicknessUnit)->setGeometry(kThicknessUnitRect);

    ShowPictures();
    setFont(WindowFont(kFontHeight));
    FillControls();
    EnableStepGroup(m_nMethod == kMethodArea);
    // The window opens ready for typing into the first length the user may change.
    for (QLineEdit* edit : {m_pStep, m_pLength, m_pThickness}) {
        if (edit->isEnabled()) {
            FocusForTyping(edit);
            break;
        }
    }
    return msg::kOk;
}

void CRegMarkDlg::ShowPictures() {
    // A picture that cannot be read is simply not drawn.
    m_typeInside.Init(m_folders.CommonPicture(skin::kMarkTypeInside), kTypeInsideRect);
    m_typeOutside.Init(m_folders.CommonPicture(skin::kMarkTypeOutside), kTypeOutsideRect);
    m_lengthThickness.Init(m_folders.LanguagePicture(skin::kMarkLengthThickness),
                           kLengthThicknessRect);
    m_areaDisabled.Init(m_folders.CommonPicture(skin::kMarkAreaDisabled), kCorrectionRect);
    for (int media = 0; media < 2; ++media) {
        for (int type = 0; type < 2; ++type) {
            m_area[static_cast<std::size_t>(media * 2 + type)].Init(
                m_folders.CommonPicture(skin::MarkAreaPictureName(media, type)), kCorrectionRect);
        }
    }
    for (const CSkinBitmap* picture : {&m_typeInside, &m_typeOutside, &m_lengthThickness}) {
        (new CPicturePane(picture->Rect(), this))->Show(picture);
    }
    m_pCorrection = new CPicturePane(kCorrectionRect, this);
    m_pCorrection->Show(CorrectionPicture());
}

void CRegMarkDlg::FillControls() {
    const CControllerCommandLine& cl = m_commandLine;
    if (QAbstractButton* method = m_pMethods->button(m_nMethod)) {
        method->setChecked(true);
    }
    for (QAbstractButton* radio : m_pMethods->buttons()) {
        radio->setEnabled(cl.m_bCorrection == 0);
    }
    if (cl.m_bCorrection == 0) {
        m_pMethods->button(kMethodArea)->setEnabled(m_model.SupportsAreaCorrection());
    }
    if (QAbstractButton* type = m_pTypes->button(m_nType)) {
        type->setChecked(true);
    }
    for (QAbstractButton* radio : m_pTypes->buttons()) {
        radio->setEnabled(cl.m_bMarkType == 0);
    }

    // The first text is what a refused keystroke returns to; the working values stay as copied
    // while the texts stay as shown.
    const int unit = m_settings.m_nUnitType;
    const QChar separator = QLatin1Char(m_settings.m_cDecimalSeparator);
    const struct {
        int id;
        std::int32_t* value;
        int unitLabel;
        bool fixed;
    } edits[] = {
        {kIdStep, &m_nStep, kIdStepUnit, cl.m_bMarkStep != 0},
        {kIdLength, &m_nLength, kIdLengthUnit, cl.m_bMarkLength != 0},
        {kIdThickness, &m_nThickness, kIdThicknessUnit, cl.m_bMarkThickness != 0},
    };
    const QString unitText = WindowText(unit == kUnitInch ? kStringInch : kStringMm);
    for (const auto& e : edits) {
        auto* edit = static_cast<QLineEdit*>(Control(e.id));
        edit->setText(FormatDecimalLength(*e.value, unit, separator));
        m_shown.Remember(e.id, edit->text(), *e.value);
        FilterDecimalEdit(edit, Decimals(), separator);
        connect(edit, &QLineEdit::textChanged, this,
                [this, id = e.id, value = e.value] { OnLengthEdited(id, *value); });
        edit->installEventFilter(this);
        edit->setEnabled(!e.fixed);
        static_cast<QLabel*>(Control(e.unitLabel))->setText(unitText);
        Control(e.unitLabel)->setEnabled(!e.fixed);
    }
    if (cl.m_bMarkStep != 0) {
        Control(kIdStepLabel)->setEnabled(false);
        Control(kIdStepALabel)->setEnabled(false);
    }

    QPalette length = m_pLength->palette();
    length.setColor(QPalette::Text, kLengthColour);
    m_pLength->setPalette(length);
    QPalette thickness = m_pThickness->palette();
    thickness.setColor(QPalette::Text, kThicknessColour);
    m_pThickness->setPalette(thickness);

    connect(m_pMethods, &QButtonGroup::idClicked, this, &CRegMarkDlg::OnMethod);
    connect(m_pTypes, &QButtonGroup::idClicked, this, &CRegMarkDlg::OnType);
}

int CRegMarkDlg::Decimals() const {
    return m_settings.m_nUnitType == kUnitInch ? kInchDecimals : kMmDecimals;
}

void CRegMarkDlg::OnMethod(int method) {
    const bool areaChosen = method == kMethodArea && m_nMethod != kMethodArea;
    m_nMethod = method;
    m_pCorrection->Show(CorrectionPicture());
    EnableStepGroup(method == kMethodArea);
    // The step is what the user came to change.
    if (areaChosen) {
        FocusForTyping(m_pStep);
    }
}

void CRegMarkDlg::OnType(int type) {
    m_nType = type;
    m_pCorrection->Show(CorrectionPicture());
}

void CRegMarkDlg::EnableStepGroup(bool enabled) {
    for (const int id : {kIdStepLabel, kIdStepALabel, kIdStep, kIdStepUnit}) {
        Control(id)->setEnabled(enabled);
    }
}

void CRegMarkDlg::OnLengthEdited(int id, std::int32_t& value) {
    auto* edit = static_cast<QLineEdit*>(Control(id));
    if (FilterDecimalEdit(edit, Decimals(), QLatin1Char(m_settings.m_cDecimalSeparator))) {
        value = m_shown.Kept(id, edit->text(), AsShown(edit, value));
    }
}

std::int32_t CRegMarkDlg::AsShown(const QLineEdit* edit, std::int32_t kept) const {
    return ParseDecimalLength(edit->text(), m_settings.m_nUnitType,
                              QLatin1Char(m_settings.m_cDecimalSeparator))
        .value_or(kept);
}

void CRegMarkDlg::OnOK() {
    const CMarkLimits limits(m_model.MarkRanges(), m_settings.m_nUnitType,
                             QLatin1Char(m_settings.m_cDecimalSeparator));
    // The step matters only to the Area method; it is kept as typed for the others. Each
    // check judges the text on screen, so a value shown rounded passes when its text does.
    if (m_nMethod == kMethodArea &&
        !PassesRangeCheck(limits.CheckStep(AsShown(m_pStep, m_nStep)), m_pStep)) {
        return;
    }
    if (!PassesRangeCheck(limits.CheckLength(AsShown(m_pLength, m_nLength)), m_pLength) ||
        !PassesRangeCheck(limits.CheckThickness(AsShown(m_pThickness, m_nThickness)),
                          m_pThickness)) {
        return;
    }
    m_settings.m_nTmbReadType = m_nMethod;
    m_settings.m_nTmbType = m_nType;
    m_settings.m_nTmbStep = m_nStep;
    m_settings.m_nTmbLength = m_nLength;
    m_settings.m_nTmbThickness = m_nThickness;
    done(kResultOk);
}

void CRegMarkDlg::reject() {
    done(kResultCancel);
}

const CSkinBitmap* CRegMarkDlg::CorrectionPicture() const {
    if (m_nMethod != kMethodArea) {
        return &m_areaDisabled;
    }
    const int media = m_settings.m_nMediaOrient;
    if ((media != 0 && media != 1) || (m_nType != 0 && m_nType != 1)) {
        return nullptr;
    }
    return &m_area[static_cast<std::size_t>(media * 2 + m_nType)];
}

void CRegMarkDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (m_fnShowHelp) {
            m_fnShowHelp(this, helpcontext::kTopicMarkSettings);
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

// Enter in a length edit neither presses OK nor closes the window.
bool CRegMarkDlg::eventFilter(QObject* watched, QEvent* event) {
    if (IsEnterKey(event) &&
        (watched == m_pStep || watched == m_pLength || watched == m_pThickness)) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
