#pragma once

#include "retry/ChangeSender.h"
#include "skin/SkinFolders.h"
#include "ui/main/ClosingPanel.h"
#include "ui/main/ConditionPanel.h"
#include "ui/main/ControllerLinks.h"
#include "ui/main/FirstFrameAnnouncement.h"
#include "ui/main/HeadPanel.h"
#include "ui/main/OrientationPanel.h"
#include "ui/main/PictureCache.h"

#include <QDialog>

#include <optional>

// The controller's main window. When it opens it connects to the plotter, identifies it, reads
// the remembered settings, applies the launch values, loads the media lists and sends the
// chosen condition; then its panels let the user choose which conditions the plotter uses, jog
// the head, set the origin, cross-cut, run a test cut, and close. Its result becomes the exit
// code: 1 OK ("Close" or "Cut"), 2 Cancel, 3 a refused command-set switch, or the message code
// of a failed opening.
class CControllerDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 102;
    static constexpr int kResultOk = CClosingPanel::kResultOk;
    static constexpr int kResultCancel = CClosingPanel::kResultCancel;
    static constexpr int kResultSwitchRefused = 3;

    explicit CControllerDlg(ControllerLinks links, QWidget* parent = nullptr);
    // Stops the retry timer, which first lets a running exchange finish.
    ~CControllerDlg() override;

    // The opening sequence: 0 when the window is ready to be shown, else the result the window
    // has ended with (its message has been shown).
    [[nodiscard]] int OnInitDialog();
    // Opens the window and runs it modally; the result of a failed opening comes back at once.
    int exec() override;

    // The child with this control id, or nullptr.
    QWidget* Control(int id) const;

    // Every way of closing ends here: the head stops first.
    void done(int result) override;

    // Start-up measurements: with this environment variable set, the window prints
    // kReadyLine on the standard error once it has drawn its first frame and ends at once with
    // Cancel's result, without asking anything and without saving the settings.
    static constexpr const char* kReadyEnvironment = "QUIRN_EXIT_WHEN_READY";
    static constexpr const char* kReadyLine = "quirn: main window ready";

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void accept() override;
    void reject() override;

private:
    [[nodiscard]] int ConnectPlotter();
    [[nodiscard]] int SwitchCommandSetIfAsked();
    [[nodiscard]] int SendInitialSettings();
    void InitDisplay();
    bool FilterKey(QKeyEvent* event);
    void OnHelp();
    void OnAbout();
    void OnOption();
    void OnAdvanced();

    ControllerLinks m_links;
    CSkinFolders m_folders;
    CPictureCache m_pictures;
    CChangeSender m_sender;
    PanelContext m_context;
    CConditionPanel m_conditions;
    CHeadPanel m_head;
    COrientationPanel m_orientation;
    CClosingPanel m_closing;
    bool m_bOpened = false;
    bool m_bTimerStarted = false;
    std::optional<CFirstFrameAnnouncement> m_ready;
};
