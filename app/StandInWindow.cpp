#include "app/StandInWindow.h"

#include "app/ExitCode.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CStandInWindow::CStandInWindow(const QString& caption, const QString& titleText) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(titleText, this);
    title->setObjectName("titleArea");
    layout->addWidget(title);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CStandInWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CStandInWindow::reject);
    layout->addWidget(buttons);
}

void CStandInWindow::accept() {
    done(exitcode::kResultOk);
}

// Escape and the window's close button count as Cancel.
void CStandInWindow::reject() {
    done(exitcode::kResultCancel);
}
