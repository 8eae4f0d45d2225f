#include "ui/dialogs/settings/CommandWaitDlg.h"

#include "core/messages/CMessageService.h"
#include "ui/dialogs/common/WindowLook.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int kClientWidth = 250;
constexpr int kClientHeight = 105;
constexpr QRect kTextRect(12, 46, 226, 13);
constexpr int kFontHeight = 12;
constexpr int kStringTitle = 2902;
constexpr int kStringText = 2903;

} // namespace

CCommandWaitDlg::CCommandWaitDlg(QWidget* parent)
    : QDialog(parent), m_pText(new QLabel(WindowText(kStringText), this)) {
    ApplyWindowLook(*this, WindowText(kStringTitle));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(WindowFont(kFontHeight));
    setCursor(Qt::WaitCursor);

    m_pText->setGeometry(kTextRect);
    m_pText->setAlignment(Qt::AlignCenter);

    // A coarse timer may end the wait early; the plotter needs the full two seconds.
    QTimer::singleShot(kWaitMs, Qt::PreciseTimer, this, [this] {
        m_bWaited = true;
        accept();
    });
}

QWidget* CCommandWaitDlg::Control(int id) const {
    return id == kIdText ? m_pText : nullptr;
}

void CCommandWaitDlg::Wait() {
    CCommandWaitDlg dialog(QApplication::activeWindow());
    dialog.exec();
}

void CCommandWaitDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape would end a dialog; this one ends only when its time is up.
    event->accept();
}

void CCommandWaitDlg::closeEvent(QCloseEvent* event) {
    if (!m_bWaited) {
        event->ignore();
    }
}

void CCommandWaitDlg::reject() {
    if (m_bWaited) {
        QDialog::reject();
    }
}
