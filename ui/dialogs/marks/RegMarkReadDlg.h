#pragma once

#include <QDialog>
#include <QTimer>

class CMarkReading;
class CSkinButton;
class CSkinFolders;
class QLabel;

// The small "Wait..." window shown while the plotter searches the registration marks: it polls
// the plotter's reading state every 500 ms until the plotter reports the marks read or the
// reading failed. "Abort" (or Escape, or the close box) asks the plotter to stop and keeps
// waiting for its answer; Enter and F1 do nothing.
//
// Results: kResultRead, kResultFailed (also after an abort), kResultPortFailed (a plotter
// operation failed; its message has been shown and FailureCode() tells it), or 1014/1015 when
// the Abort button cannot be set up (shown as well). Ending other than by the plotter's
// answer, it first asks the plotter to abort the reading, as far as the plotter can be reached.
class CRegMarkReadDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 134;
    static constexpr int kIdAbort = 2;
    static constexpr int kIdText = 3800;
    static constexpr int kPollMs = 500;
    static constexpr int kResultRead = 1;
    static constexpr int kResultFailed = 2;
    static constexpr int kResultPortFailed = 3;

    CRegMarkReadDlg(CMarkReading& marks, const CSkinFolders& folders, QWidget* parent = nullptr);

    // Sets the window up and runs it modally; a failed set-up is shown and returned at once.
    int exec() override;
    // The set-up alone: 0, or 1014/1015. exec() runs it; tests call it and show() themselves.
    [[nodiscard]] int OnInitDialog();

    QWidget* Control(int id) const;
    // The code of the plotter operation that ended the window with kResultPortFailed.
    int FailureCode() const { return m_nFailure; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void OnTimer();
    void OnAbort();
    void Fail(int code);
    void StopPlotter();
    void Finish(int result);

    CMarkReading& m_marks;
    QLabel* m_pText;
    CSkinButton* m_pAbort;
    QTimer m_timer;
    int m_nFailure = 0;
};
