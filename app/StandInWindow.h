#pragma once

#include <QDialog>

class QString;

// STAND-IN for the main window CControllerDlg, which replaces it: shows only the title area
// text and OK/Cancel, so that start-up, the single-instance guard and the exit codes work end
// to end. Ends with exitcode::kResultOk or exitcode::kResultCancel.
class CStandInWindow : public QDialog {
    Q_OBJECT
public:
    CStandInWindow(const QString& caption, const QString& titleText);

    void accept() override;
    void reject() override;
};
