#include "ui/main/MessageDlg.h"

#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "protocol/PlotterQueries.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"
#include "ui/dialogs/common/WindowLook.h"
#include "ui/main/ControlIds.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

constexpr int kClientWidth = 280;
constexpr int kClientHeight = 105;
constexpr int kStringEnter = 2400;
constexpr int kFontHeight = 12;

QString Text(int id) {
    return QString::fromStdString(CMessageService::Instance().Strings().LoadString(id));
}

} // namespace

CMessageDlg::CMessageDlg(CPlotterQueries& queries, const CSkinFolders& folders, int textHeight,
                         QWidget* parent)
    : QDialog(parent), m_queries(queries), m_nTextHeight(textHeight), m_pText(new QLabel(this)),
      m_pEnter(new CSkinButton(folders, this)) {
    ApplyWindowLook(*this, QString::fromStdString(CMessageService::Instance().Title()));
    skin::AttachControl(m_pText, this, ctl::kMessageText);
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &CMessageDlg::OnTimer);
    connect(m_pEnter, &CSkinButton::clicked, this, &CMessageDlg::OnEnter);
}

QWidget* CMessageDlg::Control(int id) const {
    return skin::FindControl(this, id);
}

int CMessageDlg::exec() {
    if (const int failed = OnInitDialog(); failed != msg::kOk) {
        ShowMessage(failed);
        setResult(failed);
        return failed;
    }
    return QDialog::exec();
}

int CMessageDlg::OnInitDialog() {
    const int buttonX = (kClientWidth - 117) / 2;
    if (const int setUp = m_pEnter->SetUp(ctl::kOk, buttonX, 72, 0, Text(kStringEnter),
                                          PixelSizeForCellHeight(kFontHeight));
        setUp != msg::kOk) {
        return setUp;
    }
    m_pEnter->setEnabled(false);
    setFixedSize(kClientWidth, kClientHeight);
    m_pText->setGeometry(12, 38, 256, m_nTextHeight);
    m_pText->setFont(WindowFont(kFontHeight));
    m_pText->setText(Text(msg::kTestCutRunning));
    setCursor(Qt::WaitCursor);
    m_timer.start();
    return msg::kOk;
}

void CMessageDlg::OnTimer() {
    if (const int failed = m_queries.QueryEnterState(); failed != msg::kOk) {
        m_timer.stop();
        ShowMessage(failed);
        Finish(kResultFailed);
        return;
    }
    switch (m_queries.EnterState()) {
    case kStateWaitingForEnter:
        // The timer keeps running: the plotter may still finish or abort by itself.
        setCursor(Qt::ArrowCursor);
        m_pText->setText(Text(msg::kTestCutPressEnter));
        m_pEnter->setEnabled(true);
        m_pEnter->setFocus();
        break;
    case kStateFinished:
        Finish(kResultDone);
        break;
    case kStateAborted:
        Finish(kResultAborted);
        break;
    default:
        break;
    }
}

void CMessageDlg::OnEnter() {
    m_timer.stop();
    if (const int failed = m_queries.PressEnter(); failed != msg::kOk) {
        ShowMessage(failed);
        Finish(kResultFailed);
        return;
    }
    Finish(kResultDone);
}

void CMessageDlg::Finish(int result) {
    m_timer.stop();
    done(result);
}

void CMessageDlg::keyPressEvent(QKeyEvent* event) {
    // The window follows the plotter; it has no help page of its own.
    if (event->key() == Qt::Key_F1) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CMessageDlg::reject() {
    Finish(kResultAborted);
}
