#include "ui/main/ControllerDlg.h"

#include "conditions/MediaList.h"
#include "conditions/units/LengthUnits.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/LanguageSet.h"
#include "core/SettingsStore.h"
#include "core/SystemCode.h"
#include "core/launch/LaunchValues.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "platform/LocaleFacts.h"
#include "protocol/JogKeyState.h"
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"
#include "retry/RetryTimer.h"
#include "retry/RetryValues.h"
#include "retry/UnsentChanges.h"
#include "skin/SkinArrowButton.h"
#include "skin/SkinButton.h"
#include "skin/SkinCombo.h"
#include "skin/SkinControl.h"
#include "skin/SkinPictures.h"
#include "skin/SkinRadio.h"
#include "ui/dialogs/ModelSelectDlg.h"
#include "ui/dialogs/WindowLook.h"
#include "ui/main/AboutDlg.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ControllerLayout.h"
#include "ui/main/OrientationPictures.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

const QColor kTitleBackground(0, 29, 160);
const QColor kFrame(140, 140, 140);
constexpr int kFontHeight = 12;
constexpr int kTitleFontHeight = 17;

constexpr int kStringDemoMode = 2001;
constexpr int kStringCut = 2015;
constexpr int kCutButtonKind = 2;
constexpr int kToggleKind = 0;

// Push buttons in the order they are attached.
constexpr int kPushButtons[] = {
    ctl::kListEdit, ctl::kTestCut,  ctl::kEditConditions, ctl::kImportConditions,
    ctl::kOrigin,   ctl::kCrossCut, ctl::kMarkSettings,   ctl::kReadMarks,
    ctl::kHelp,     ctl::kAbout,    ctl::kOption,         ctl::kAdvanced,
    ctl::kCancel,   ctl::kOk,
};
constexpr int kArrowButtons[] = {ctl::kArrowUp, ctl::kArrowDown, ctl::kArrowLeft, ctl::kArrowRight};

// Buttons whose windows the controller does not offer yet; they stay disabled.
constexpr int kUnavailable[] = {ctl::kListEdit, ctl::kEditConditions, ctl::kImportConditions,
                                ctl::kOption,   ctl::kAdvanced,       ctl::kMarkSettings,
                                ctl::kReadMarks};

bool IsAvailable(int id) {
    for (const int unavailable : kUnavailable) {
        if (unavailable == id) {
            return false;
        }
    }
    return true;
}

QString Text(int id) {
    return QString::fromStdString(CMessageService::Instance().Strings().LoadString(id));
}

const ControlPlacement* FindPlacement(const std::vector<ControlPlacement>& places, int id) {
    for (const ControlPlacement& place : places) {
        if (place.id == id) {
            return &place;
        }
    }
    return nullptr;
}

} // namespace

CControllerDlg::CControllerDlg(ControllerLinks links, QWidget* parent)
    : QDialog(parent), m_links(std::move(links)),
      m_folders(QString::fromStdString(m_links.programFolder),
                QString::fromStdString(m_links.language.GetBitmapFolder())) {
    ApplyWindowLook(*this, QString::fromStdString(CMessageService::Instance().Title()));
}

CControllerDlg::~CControllerDlg() {
    qApp->removeEventFilter(this);
    if (m_bTimerStarted) {
        m_links.retryTimer.Stop();
    }
}

QWidget* CControllerDlg::Control(int id) const {
    return skin::FindControl(this, id);
}

int CControllerDlg::exec() {
    if (const int failed = OnInitDialog(); failed != msg::kOk) {
        return failed;
    }
    if (m_links.commandLine.m_bCutMode != 0) {
        QTimer::singleShot(0, this, [this] { raise(); });
    }
    if (qEnvironmentVariableIsSet(kReadyEnvironment)) {
        // Runs once the window is shown and its event loop turns.
        QTimer::singleShot(0, this, [this] {
            std::fprintf(stderr, "%s\n", kReadyLine);
            std::fflush(stderr);
            done(kResultCancel);
        });
    }
    return QDialog::exec();
}

int CControllerDlg::OnInitDialog() {
    auto fail = [this](int code) {
        ShowMessage(code);
        setResult(code);
        return code;
    };

    if (!systemcode::IsSupported(m_links.systemCode)) {
        return fail(msg::kUnsupportedSystem);
    }
    if (const int created = CreateControls(); created != msg::kOk) {
        return fail(created);
    }
    LayOutControls();

    if (const int connected = ConnectPlotter(); connected != msg::kOk) {
        if (connected == kResultSwitchRefused) {
            setResult(connected);
            return connected;
        }
        return fail(connected);
    }
    if (const int sent = SendInitialSettings(); sent != msg::kOk) {
        return fail(sent);
    }

    InitDisplay();
    ConnectHandlers();
    PublishRetryValues();
    m_links.retryTimer.Start();
    m_bTimerStarted = true;
    m_bOpened = true;
    return msg::kOk;
}

int CControllerDlg::CreateControls() {
    const std::vector<ControlPlacement> places =
        MainWindowLayout({m_links.language.GetTextHeight(), m_links.language.GetWidthA(),
                          m_links.language.GetWidthB()});

    // The skinned controls first, in their fixed order.
    for (const int id : kPushButtons) {
        const ControlPlacement& place = *FindPlacement(places, id);
        // In cut mode OK says "Cut" and has the other button picture.
        const bool cut = id == ctl::kOk && m_links.commandLine.m_bCutMode != 0;
        const int kind = cut ? kCutButtonKind : place.skinKind;
        const int captionId = cut ? kStringCut : place.captionId;
        auto* button = new CSkinButton(m_folders, this);
        const QString caption = captionId != 0 ? Text(captionId) : QString();
        if (const int setUp = button->SetUp(id, place.rect.x(), place.rect.y(), kind, caption,
                                            PixelSizeForCellHeight(kFontHeight));
            setUp != msg::kOk) {
            return setUp;
        }
        m_buttons.emplace(id, button);
    }
    for (const int id : kArrowButtons) {
        const ControlPlacement& place = *FindPlacement(places, id);
        auto* arrow = new CSkinArrowButton(m_folders, this);
        if (const int setUp = arrow->SetUp(id, place.rect.x(), place.rect.y(), place.skinKind, {},
                                           PixelSizeForCellHeight(kFontHeight));
            setUp != msg::kOk) {
            return setUp;
        }
        m_arrows.emplace(id, arrow);
    }
    {
        const ControlPlacement& place = *FindPlacement(places, ctl::kUseKeyboard);
        m_pKeyboard = new CSkinRadio(m_folders, this);
        if (const int setUp =
                m_pKeyboard->SetUp(ctl::kUseKeyboard, place.rect.x(), place.rect.y(), kToggleKind,
                                   Text(place.captionId), PixelSizeForCellHeight(kFontHeight));
            setUp != msg::kOk) {
            return setUp;
        }
    }
    {
        const ControlPlacement& place = *FindPlacement(places, ctl::kMediaType);
        m_pMediaType = new CSkinCombo(m_folders, this);
        if (const int setUp =
                m_pMediaType->SetUp(ctl::kMediaType, place.rect.x(), place.rect.y(), place.skinKind,
                                    PixelSizeForCellHeight(kFontHeight));
            setUp != msg::kOk) {
            return setUp;
        }
    }

    // The plain controls.
    auto* sourceGroup = new QButtonGroup(this);
    auto* designGroup = new QButtonGroup(this);
    auto* mediaGroup = new QButtonGroup(this);
    for (const ControlPlacement& place : places) {
        QWidget* control = nullptr;
        switch (place.kind) {
        case ControlKind::Title:
        case ControlKind::Label:
        case ControlKind::Value: {
            auto* label = new QLabel(QString::fromUtf8(place.text), this);
            label->setAutoFillBackground(true);
            control = label;
            break;
        }
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(QString::fromUtf8(place.text), this);
            const bool source =
                place.id == ctl::kUsePlotterSettings || place.id == ctl::kUseControllerSettings;
            const bool design =
                place.id == ctl::kDesignPortrait || place.id == ctl::kDesignLandscape;
            (source ? sourceGroup : design ? designGroup : mediaGroup)->addButton(radio);
            control = radio;
            break;
        }
        case ControlKind::Check:
            control = new QCheckBox(QString::fromUtf8(place.text), this);
            break;
        case ControlKind::Edit:
            control = new QLineEdit(this);
            break;
        case ControlKind::PushButton:
        case ControlKind::ArrowButton:
        case ControlKind::Toggle:
        case ControlKind::Combo:
            continue; // set up above
        }
        control->setGeometry(place.rect);
        if (!skin::AttachControl(control, this, place.id)) {
            return msg::kControlAttachFailed;
        }
    }
    return msg::kOk;
}

void CControllerDlg::LayOutControls() {
    // Centred on the screen, as the window never remembers a place.
    setFixedSize(layout::kClientWidth, layout::kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr) {
            continue;
        }
        const int id = skin::ControlId(widget);
        if (id == ctl::kTitle) {
            QPalette title = widget->palette();
            title.setColor(QPalette::Window, kTitleBackground);
            title.setColor(QPalette::WindowText, Qt::white);
            widget->setPalette(title);
            widget->setFont(WindowFont(kTitleFontHeight, QFont::Bold));
            static_cast<QLabel*>(widget)->setIndent(12);
        } else if (qobject_cast<QLabel*>(widget) != nullptr) {
            QPalette label = widget->palette();
            label.setColor(QPalette::Window, kWindowBackground);
            widget->setPalette(label);
            widget->setFont(WindowFont(kFontHeight));
        } else if (id != 0 && qobject_cast<CSkinButtonBase*>(widget) == nullptr &&
                   qobject_cast<CSkinCombo*>(widget) == nullptr) {
            widget->setFont(WindowFont(kFontHeight));
        }
    }
}

int CControllerDlg::ConnectPlotter() {
    m_links.port.SetModelChooser([this](const std::vector<std::string>& names) {
        return CModelSelectDlg::Choose(names, windowTitle(), this);
    });
    const int opened = m_links.port.Open();
    // The port outlives the window; it must not keep a way back into it.
    m_links.port.SetModelChooser({});
    if (opened != msg::kOk) {
        return opened;
    }
    if (const int identified = m_links.queries.ReadFirmwareVersion(); identified != msg::kOk) {
        return identified;
    }
    m_links.model.SelectBladeCatalogue(m_links.language.GetLangId(), [](int id) {
        return CMessageService::Instance().Strings().LoadString(id);
    });
    if (const int read = m_links.queries.ReadCommandSet(); read != msg::kOk) {
        return read;
    }
    if (const int switched = SwitchCommandSetIfAsked(); switched != msg::kOk) {
        return switched;
    }
    int mirror = 0;
    if (const int read = m_links.queries.ReadPanelSettings(mirror); read != msg::kOk) {
        return read;
    }
    m_links.settings.m_bMirror = mirror;
    return msg::kOk;
}

int CControllerDlg::SwitchCommandSetIfAsked() {
    const CControllerCommandLine& cl = m_links.commandLine;
    if (m_links.settings.m_bOtherCommandSet == 0 ||
        (cl.m_bSkipQueueCheck == 0 && cl.m_bForceController == 0)) {
        return msg::kOk;
    }
    for (;;) {
        if (!ConfirmMessage(msg::kConfirmCommandSetSwitch)) {
            return kResultSwitchRefused;
        }
        const int switched = m_links.commands.SwitchCommandSet(0, CheckQueues(), true);
        if (switched == msg::kOk) {
            m_links.settings.m_bOtherCommandSet = 0;
            return msg::kOk;
        }
        if (switched != msg::kPlotterBusy && switched != msg::kPlotterNotReady) {
            return switched;
        }
        ShowMessage(switched);
    }
}

int CControllerDlg::SendInitialSettings() {
    CControllerSettings& settings = m_links.settings;
    CSettingsStore().Load(settings);
    CLaunchValues(m_links.commandLine, settings, m_links.model).Apply();

    const int oriented =
        m_links.commands.SendMediaOrientation(settings.m_nMediaOrient, CheckQueues(), true);
    if (oriented == msg::kPlotterBusy || oriented == msg::kPlotterNotReady) {
        MarkUnsent(CUnsentChanges::kMediaOrientation);
    } else if (oriented != msg::kOk) {
        return oriented;
    }

    if (const int loaded = m_links.mediaList.Load(settings.m_condition); loaded != msg::kOk) {
        return loaded;
    }

    if (settings.m_nCutCondSetting == 1) {
        const CuttingCondition current =
            m_links.mediaList.FindCondition(settings.m_condition.m_strName);
        const int sent = m_links.commands.SendCuttingCondition(current, CheckQueues(), true);
        if (sent == msg::kPlotterBusy || sent == msg::kPlotterNotReady) {
            MarkUnsent(CUnsentChanges::kCuttingCondition);
        } else if (sent != msg::kOk) {
            return sent;
        }
    }
    return msg::kOk;
}

void CControllerDlg::InitDisplay() {
    const CControllerCommandLine& cl = m_links.commandLine;
    CControllerSettings& settings = m_links.settings;
    const CPlotterModel& model = m_links.model;

    QString title = QString::fromStdString(model.DisplayName());
    if (m_links.port.IsDemo()) {
        title += Text(kStringDemoMode);
    }
    SetText(ctl::kTitle, title);

    const bool radiosEnabled = cl.m_bForceController == 0;
    SetEnabled(ctl::kUsePlotterSettings, radiosEnabled);
    SetEnabled(ctl::kUseControllerSettings, radiosEnabled);
    static_cast<QRadioButton*>(Control(settings.m_nCutCondSetting == 1 ? ctl::kUseControllerSettings
                                                                       : ctl::kUsePlotterSettings))
        ->setChecked(true);

    SetVisible(ctl::kCrossCut, model.IsFamilyZero());
    SetVisible(ctl::kCrossCutLabel, model.IsFamilyZero());
    SetVisible(ctl::kAdvanced, model.HasAdvancedSettings());
    if (!model.SupportsAreaCorrection() && settings.m_nTmbReadType == 3) {
        settings.m_nTmbReadType = 2;
    }
    SetVisible(ctl::kCancel, cl.m_bCutMode != 0);
    for (const int id : kUnavailable) {
        SetEnabled(id, false);
    }

    settings.m_cDecimalSeparator = platform::SystemDecimalSeparator();
    FillMediaList(settings.m_nCutCondSetting);
    ShowCondition(settings.m_nCutCondSetting);
    ShowMarkPanel();
}

void CControllerDlg::ConnectHandlers() {
    auto* plotterSettings = static_cast<QRadioButton*>(Control(ctl::kUsePlotterSettings));
    auto* controllerSettings = static_cast<QRadioButton*>(Control(ctl::kUseControllerSettings));
    connect(plotterSettings, &QRadioButton::clicked, this, &CControllerDlg::OnUsePlotterSettings);
    connect(controllerSettings, &QRadioButton::clicked, this,
            &CControllerDlg::OnUseControllerSettings);
    connect(m_pMediaType, &QComboBox::activated, this, &CControllerDlg::OnSelectMedia);

    connect(m_buttons.at(ctl::kHelp), &QPushButton::clicked, this, &CControllerDlg::OnHelp);
    connect(m_buttons.at(ctl::kAbout), &QPushButton::clicked, this, &CControllerDlg::OnAbout);
    connect(m_buttons.at(ctl::kOrigin), &QPushButton::clicked, this, &CControllerDlg::OnOrigin);
    connect(m_buttons.at(ctl::kCrossCut), &QPushButton::clicked, this, &CControllerDlg::OnCrossCut);
    connect(m_buttons.at(ctl::kTestCut), &QPushButton::clicked, this, &CControllerDlg::OnTestCut);
    connect(m_buttons.at(ctl::kOk), &QPushButton::clicked, this, &CControllerDlg::OnOK);
    connect(m_buttons.at(ctl::kCancel), &QPushButton::clicked, this, &CControllerDlg::OnCancel);

    for (const auto& [id, arrow] : m_arrows) {
        connect(arrow, &CSkinArrowButton::JogPressed, this, &CControllerDlg::OnArrowPressed);
        connect(arrow, &CSkinArrowButton::JogReleased, this, &CControllerDlg::OnArrowReleased);
    }
    connect(m_pKeyboard, &CSkinRadio::JogModeChanged, this, &CControllerDlg::OnKeyboardModeChanged);
    connect(m_pKeyboard, &CSkinRadio::JogKeyPressed, this,
            [this](int bits) { m_links.jog.Press(bits); });
    connect(m_pKeyboard, &CSkinRadio::JogKeyReleased, this,
            [this](int bits) { m_links.jog.Release(bits); });

    // Keys and clicks anywhere in the window pass here first: keyboard jogging and the
    // function keys act whichever child has the focus.
    qApp->installEventFilter(this);
}

void CControllerDlg::OnHelp() {
    if (m_links.showHelp) {
        m_links.showHelp(this, 0);
    }
}

void CControllerDlg::OnAbout() {
    CAboutDlg about(m_folders, m_links.showHelp, this);
    about.exec();
}

bool CControllerDlg::CheckQueues() const {
    return m_links.commandLine.m_bSkipQueueCheck == 0;
}

void CControllerDlg::PublishRetryValues() {
    m_links.retryValues.Publish(m_links.settings, !CheckQueues(), m_links.storedAdvanced);
}

void CControllerDlg::MarkUnsent(unsigned bit) {
    PublishRetryValues();
    m_links.unsent.Set(bit);
}

bool CControllerDlg::HasUnsent() const {
    return m_links.unsent.Any();
}

void CControllerDlg::SetEnabled(int id, bool enabled) {
    if (QWidget* control = Control(id)) {
        control->setEnabled(enabled && IsAvailable(id));
    }
}

void CControllerDlg::SetVisible(int id, bool visible) {
    if (QWidget* control = Control(id)) {
        control->setVisible(visible);
    }
}

void CControllerDlg::SetText(int id, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(Control(id))) {
        label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(Control(id))) {
        edit->setText(text);
    }
}

QLineEdit* CControllerDlg::Edit(int id) const {
    return qobject_cast<QLineEdit*>(Control(id));
}

void CControllerDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    DrawPicture(painter, std::string(skin::kMainBackground), rect());

    painter.setPen(kFrame);
    for (const QRect& frame : layout::PanelFrames()) {
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }

    if (!m_bOpened) {
        return;
    }
    const CControllerSettings& settings = m_links.settings;
    const BladeCatalogue& catalogue = m_links.model.Catalogue();
    if (const int blade = catalogue.IndexOfName(settings.m_condition.m_strBlade); blade >= 0) {
        const std::string file = settings.m_nCutCondSetting == 1
                                     ? catalogue.Entry(blade).strSmallPicture
                                     : std::string(skin::kBladeNeutral);
        DrawPicture(painter, file, layout::kBladePicture);
    }
    const bool marksDrawn = settings.m_bMarkReadingAvailable != 0 && settings.m_bTomboRead != 0;
    for (const PlacedPicture& picture :
         OrientationPictures({settings.m_nImageType, settings.m_nMediaOrient, marksDrawn,
                              settings.m_bMirror != 0})) {
        DrawPicture(painter, picture.file, picture.rect);
    }
}

void CControllerDlg::DrawPicture(QPainter& painter, const std::string& file, const QRect& rect) {
    const QString path = m_folders.CommonPicture(file);
    const QString key = QStringLiteral("%1@%2,%3,%4,%5")
                            .arg(path)
                            .arg(rect.x())
                            .arg(rect.y())
                            .arg(rect.width())
                            .arg(rect.height());
    auto found = m_pictures.find(key);
    if (found == m_pictures.end()) {
        // A picture that cannot be read is simply not drawn.
        found = m_pictures.emplace(key, CSkinBitmap()).first;
        found->second.Init(path, rect);
    }
    found->second.Draw(painter);
}
