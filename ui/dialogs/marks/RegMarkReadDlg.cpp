#include "ui/dialogs/marks/RegMarkReadDlg.h"

#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "protocol/MarkReading.h"
#include "skin/SkinButton.h"
#include "skin/SkinControl.h"
#include "ui/dialogs/common/WindowLook.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

constexpr int kClientWidth = 280;
constexpr int kClientHeight = 105;
constexpr QRect kTextRect(12, 30, 256, 14);
constexpr QPoint kAbortPosition((kClientWidth - 117) / 2, 66);
constexpr int kButtonKind = 0;
constexpr int kStringAbort = 2500;
constexpr int kStringTitle = 2860;
constexpr int kStringText = 2861;
constexpr int kFontHeight = 12;

} // namespace

CRegMarkReadDlg::CRegMarkReadDlg(CMarkReading& marks, const CSkinFolders& folders, QWidget* parent)
    : QDialog(parent), m_marks(marks), m_pText(new QLabel(WindowText(kStringText), this)),
      m_pAbort(new CSkinButton(folders, this)) {
    ApplyWindowLook(*this, WindowText(kStringTitle));
    skin::AttachControl(m_pText, this, kIdText);
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &CRegMarkReadDlg::OnTimer);
    connect(m_pAbort, &CSkinButton::clicked, this, &CRegMarkReadDlg::OnAbort);
}

QWidget* CRegMarkReadDlg::Control(int id) const {
    return skin::FindControl(this, id);
}

int CRegMarkReadDlg::exec() {
    if (const int failed = OnInitDialog(); failed != msg::kOk) {
        StopPlotter();
        ShowMessage(failed);
        setResult(failed);
        return failed;
    }
    return QDialog::exec();
}

int CRegMarkReadDlg::OnInitDialog() {
    const QString caption = WindowText(kStringAbort);
    if (const int setUp =
            m_pAbort->SetUp(kIdAbort, kAbortPosition.x(), kAbortPosition.y(), kButtonKind, caption,
                            PixelSizeForCellHeight(kFontHeight));
        setUp != msg::kOk) {
        return setUp;
    }
    // Enter must not abort through the focused button.
    m_pAbort->setAutoDefault(false);
    setFixedSize(kClientWidth, kClientHeight);
    m_pText->setGeometry(kTextRect);
    m_pText->setAlignment(Qt::AlignCenter);
    setFont(WindowFont(kFontHeight));
    setCursor(Qt::BusyCursor);
    m_timer.start();
    return msg::kOk;
}

// Polls first, then looks at the state whatever the poll did: a failed send leaves the state
// "failed", and that outcome is the one the window ends with.
void CRegMarkReadDlg::OnTimer() {
    if (const int polled = m_marks.PollMarkReading(); polled != msg::kOk) {
        Fail(polled);
    }
    switch (m_marks.MarkReadState()) {
    case CMarkReading::kMarksFound:
        Finish(kResultRead);
        break;
    case CMarkReading::kNotReading:
        Finish(kResultFailed);
        break;
    default:
        break;
    }
}

void CRegMarkReadDlg::OnAbort() {
    if (!m_pAbort->isEnabled()) {
        return;
    }
    m_pAbort->setEnabled(false);
    if (const int aborted = m_marks.AbortMarkReading(); aborted != msg::kOk) {
        Fail(aborted);
    }
    // Otherwise the plotter reports the end of the reading to the next polls.
}

void CRegMarkReadDlg::Fail(int code) {
    m_timer.stop();
    m_nFailure = code;
    StopPlotter();
    ShowMessage(code);
    Finish(kResultPortFailed);
}

// The window gives up on a reading the plotter has not finished: it must not go on searching
// unwatched. Its own failure is not shown: the user learns the first one.
void CRegMarkReadDlg::StopPlotter() {
    static_cast<void>(m_marks.AbortMarkReading());
}

void CRegMarkReadDlg::Finish(int result) {
    m_timer.stop();
    done(result);
}

void CRegMarkReadDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F1:
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

// Escape and the close box abort like the button.
void CRegMarkReadDlg::reject() {
    OnAbort();
}
