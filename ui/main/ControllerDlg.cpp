#include "ui/main/ControllerDlg.h"

#include "conditions/MediaList.h"
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
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"
#include "retry/RetryTimer.h"
#include "retry/UnsentChanges.h"
#include "skin/SkinButton.h"
#include "skin/SkinButtonBase.h"
#include "skin/SkinControl.h"
#include "skin/SkinPictures.h"
#include "ui/dialogs/common/KeyRouting.h"
#include "ui/dialogs/common/WindowLook.h"
#include "ui/dialogs/model/ModelSelectDlg.h"
#include "ui/dialogs/option/OptionDlg.h"
#include "ui/dialogs/settings/AdvancedDlg.h"
#include "ui/main/AboutDlg.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ControllerControls.h"
#include "ui/main/ControllerLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace {

const QColor kFrame(140, 140, 140);

} // namespace

CControllerDlg::CControllerDlg(ControllerLinks links, QWidget* parent)
    : QDialog(parent), m_links(std::move(links)),
      m_folders(QString::fromStdString(m_links.programFolder),
                QString::fromStdString(m_links.language.GetBitmapFolder())),
      m_pictures(m_folders),
      m_sender(m_links.unsent, m_links.retryValues, m_links.settings, m_links.storedAdvanced,
               m_links.commandLine.m_bSkipQueueCheck != 0),
      m_context{m_links, *this, m_sender, m_folders, m_pictures}, m_conditions(m_context),
      m_head(m_context), m_orientation(m_context), m_closing(m_context, m_orientation) {
    ApplyWindowLook(*this, QString::fromStdString(CMessageService::Instance().Title()));
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    m_pictures.Prefetch(std::string(skin::kMainBackground),
                        QRect(0, 0, layout::kClientWidth, layout::kClientHeight));
}

CControllerDlg::~CControllerDlg() {
    qApp->removeEventFilter(this);
    if (m_bOpened) {
        m_head.StopHead();
    }
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
        m_ready.emplace(kReadyLine, [this] { done(kResultCancel); });
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
    if (const int created = CreateMainWindowControls(*this, m_links.language, m_folders,
                                                     m_links.commandLine.m_bCutMode != 0);
        created != msg::kOk) {
        return fail(created);
    }

    if (const int connected = ConnectPlotter(); connected != msg::kOk) {
        if (connected == CPlotterPort::kChoiceDismissed) {
            // The user cancelled the start in the plotter choice: nothing to report.
            setResult(kResultCancel);
            return kResultCancel;
        }
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
    m_sender.Publish();
    m_links.retryTimer.Start();
    m_bTimerStarted = true;
    m_bOpened = true;
    return msg::kOk;
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
        const int switched = m_links.commands.SwitchCommandSet(0, m_sender.CheckQueues(), true);
        if (switched == msg::kOk) {
            m_links.settings.m_bOtherCommandSet = 0;
            return msg::kOk;
        }
        if (!msg::IsBusyCode(switched)) {
            return switched;
        }
        ShowMessage(switched);
    }
}

int CControllerDlg::SendInitialSettings() {
    CControllerSettings& settings = m_links.settings;
    CSettingsStore().Load(settings);
    CLaunchValues(m_links.commandLine, settings, m_links.model).Apply();

    const bool checkQueues = m_sender.CheckQueues();
    const int oriented =
        m_links.commands.SendMediaOrientation(settings.m_nMediaOrient, checkQueues, true);
    if (msg::IsBusyCode(oriented)) {
        m_sender.MarkUnsent(CUnsentChanges::kMediaOrientation);
    } else if (oriented != msg::kOk) {
        return oriented;
    }

    if (const int loaded = m_links.mediaList.Load(settings.m_condition); loaded != msg::kOk) {
        return loaded;
    }

    if (settings.m_nCutCondSetting == 1) {
        const CuttingCondition current =
            m_links.mediaList.FindCondition(settings.m_condition.m_strName);
        const int sent = m_links.commands.SendCuttingCondition(current, checkQueues, true);
        if (msg::IsBusyCode(sent)) {
            m_sender.MarkUnsent(CUnsentChanges::kCuttingCondition);
        } else if (sent != msg::kOk) {
            return sent;
        }
    }
    return msg::kOk;
}

void CControllerDlg::InitDisplay() {
    QString title = QString::fromStdString(m_links.model.DisplayName());
    if (m_links.port.IsDemo()) {
        title += LoadText(str::kDemoMode);
    }
    static_cast<QLabel*>(Control(ctl::kTitle))->setText(title);
    Control(ctl::kAdvanced)->setVisible(m_links.model.HasAdvancedSettings());

    m_links.settings.m_cDecimalSeparator = platform::SystemDecimalSeparator();
    m_head.Init();
    m_closing.Init();
    m_conditions.Init();
    m_orientation.Init();
    connect(&m_head, &CHeadPanel::ReadMarksKey, &m_orientation, &COrientationPanel::OnReadMarks);

    connect(static_cast<CSkinButton*>(Control(ctl::kHelp)), &QPushButton::clicked, this,
            &CControllerDlg::OnHelp);
    connect(static_cast<CSkinButton*>(Control(ctl::kAbout)), &QPushButton::clicked, this,
            &CControllerDlg::OnAbout);
    connect(static_cast<CSkinButton*>(Control(ctl::kOption)), &QPushButton::clicked, this,
            &CControllerDlg::OnOption);
    connect(static_cast<CSkinButton*>(Control(ctl::kAdvanced)), &QPushButton::clicked, this,
            &CControllerDlg::OnAdvanced);
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

void CControllerDlg::OnOption() {
    COptionDlg option(m_folders, m_links.settings, m_links.showHelp, this);
    if (option.exec() != CSkinnedDialog::kIdOk) {
        return;
    }
    m_conditions.Refresh();
    // The edits were typed in the old unit; the clamp reads them in it before they are
    // rewritten in the new one.
    m_orientation.RenewUnit();
    update();
}

void CControllerDlg::OnAdvanced() {
    CAdvancedDlg advanced(AdvancedDlgLinks{m_folders, m_links.advancedLink, m_links.model,
                                           m_links.settings, m_sender, m_links.commands,
                                           m_links.commandLine, m_links.language.GetWidthE(),
                                           m_links.showHelp},
                          this);
    // A failure has been shown by the window itself.
    static_cast<void>(advanced.exec());
    update();
}

bool CControllerDlg::eventFilter(QObject* watched, QEvent* event) {
    QWidget* widget = WidgetOfWindow(*this, watched);
    if (!m_bOpened || widget == nullptr) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!IsFirstKeyDelivery(*this, widget)) {
            break;
        }
        return FilterKey(static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return m_head.FilterMouse(widget, event);
    case QEvent::FocusOut:
        m_head.OnFocusLeft(widget);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool CControllerDlg::FilterKey(QKeyEvent* event) {
    // A held skinned button finishes its press first: no key closes the window or starts
    // anything meanwhile, and F1 lets go of it before the help opens.
    auto* held = qobject_cast<CSkinButtonBase*>(QApplication::focusWidget());
    if (held != nullptr && held->IsHeld() && event->key() != Qt::Key_F1) {
        return false;
    }
    if (event->key() == Qt::Key_F1) {
        if (held != nullptr) {
            held->LetGo();
        }
        OnHelp();
        return true;
    }
    if (m_head.FilterKey(event)) {
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_orientation.IsDistanceEdit(QApplication::focusWidget())) {
            m_closing.OnOK();
        }
        return true;
    case Qt::Key_Escape:
        m_closing.OnCancel();
        return true;
    default:
        return false;
    }
}

void CControllerDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (!isActiveWindow() && m_bOpened) {
        m_head.StopHead();
    }
    // The program that started us stays in front of a minimised controller.
    QWindow* owner = windowHandle() != nullptr ? windowHandle()->transientParent() : nullptr;
    if (isMinimized() && owner != nullptr) {
        owner->raise();
        owner->requestActivate();
    }
}

void CControllerDlg::done(int result) {
    if (m_bOpened) {
        m_head.StopHead();
    }
    QDialog::done(result);
}

void CControllerDlg::accept() {
    m_closing.OnOK();
}

void CControllerDlg::reject() {
    m_closing.OnCancel();
}

void CControllerDlg::closeEvent(QCloseEvent* event) {
    // The close box means Cancel, also where the Cancel button is hidden.
    event->ignore();
    m_closing.OnCancel();
}

void CControllerDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    m_pictures.Draw(painter, std::string(skin::kMainBackground), rect());

    painter.setPen(kFrame);
    for (const QRect& frame : layout::PanelFrames()) {
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
    if (m_bOpened) {
        m_conditions.Paint(painter);
        m_orientation.Paint(painter);
    }
    if (m_ready) {
        m_ready->AfterPaint(this);
    }
}
