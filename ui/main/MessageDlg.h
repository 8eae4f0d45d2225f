#pragma once

#include <QDialog>
#include <QTimer>

class CPlotterQueries;
class CSkinButton;
class CSkinFolders;
class QLabel;

// The small window that follows a running test cut: it polls the plotter's Enter-wait state
// every 500 ms and, while the plotter waits for its Enter key, lets the user press Enter from
// the computer. Results: 1 finished or Enter pressed, 2 aborted on the plotter, 3 a plotter
// operation failed, 1014 or 1015 when the Enter button cannot be set up.
class CMessageDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 132;
    static constexpr int kPollMs = 500;
    static constexpr int kResultDone = 1;
    static constexpr int kResultAborted = 2;
    static constexpr int kResultFailed = 3;

    // Enter-wait states the plotter reports.
    static constexpr int kStateWaitingForEnter = 3;
    static constexpr int kStateFinished = 4;
    static constexpr int kStateAborted = 5;

    CMessageDlg(CPlotterQueries& queries, const CSkinFolders& folders, int textHeight,
                QWidget* parent = nullptr);

    // Sets the window up and runs it modally; a button that cannot be set up is shown and
    // ends the window at once with its code.
    int exec() override;

    QWidget* Control(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Escape or the close box: the window goes, the plotter carries on with its test cut.
    void reject() override;

private:
    [[nodiscard]] int OnInitDialog();
    void OnTimer();
    void OnEnter();
    void Finish(int result);

    CPlotterQueries& m_queries;
    int m_nTextHeight;
    QLabel* m_pText;
    CSkinButton* m_pEnter;
    QTimer m_timer;
};
