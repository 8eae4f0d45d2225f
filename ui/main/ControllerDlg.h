#pragma once

#include "skin/SkinBitmap.h"
#include "skin/SkinFolders.h"
#include "ui/main/ControllerLinks.h"

#include <QDialog>

#include <map>
#include <string>

class CSkinArrowButton;
class CSkinButton;
class CSkinCombo;
class CSkinRadio;
class QLabel;
class QLineEdit;

// The controller's main window. When it opens it connects to the plotter, identifies it, reads
// the remembered settings, applies the launch values, loads the media lists and sends the
// chosen condition; then it lets the user choose which conditions the plotter uses, jog the
// head, set the origin, cross-cut, run a test cut, and close. Its result becomes the exit
// code: 1 OK ("Close" or "Cut"), 2 Cancel, 3 a refused command-set switch, or the message code
// of a failed opening.
class CControllerDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 102;
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;
    static constexpr int kResultSwitchRefused = 3;

    explicit CControllerDlg(ControllerLinks links, QWidget* parent = nullptr);
    // Stops the retry timer, which first lets a running exchange finish.
    ~CControllerDlg() override;

    // The opening sequence: 0 when the window is ready to be shown, else the result the window
    // has ended with (its message has been shown).
    int OnInitDialog();
    // Opens the window and runs it modally; the result of a failed opening comes back at once.
    int exec() override;

    // The child with this control id, or nullptr.
    QWidget* Control(int id) const;

    // Start-up measurements: with this environment variable set, the window prints
    // kReadyLine on the standard error as soon as it runs and ends at once with Cancel's
    // result, without asking anything and without saving the settings.
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
    // Opening.
    int CreateControls();
    void LayOutControls();
    int ConnectPlotter();
    int SwitchCommandSetIfAsked();
    int SendInitialSettings();
    void InitDisplay();
    void ConnectHandlers();

    // Condition area.
    void FillMediaList(int enabled);
    void ShowCondition(int enabled);
    void OnUsePlotterSettings();
    void OnUseControllerSettings();
    void OnSelectMedia(int index);
    void OnAbout();
    void OnHelp();

    // Orientation and registration-mark panel, as it is filled at opening.
    void ShowMarkPanel();
    void ShowDistances();
    void ClampDistances();

    // Head panel.
    void OnArrowPressed(int bits);
    void OnArrowReleased(int bits);
    void OnKeyboardModeChanged(int mode);
    void EndKeyboardMode();
    bool FilterKey(QKeyEvent* event);
    bool FilterMouse(QWidget* target, QEvent* event);
    bool IsKeyHeld() const;
    void OnFunctionKey(int key);
    void OnOrigin();
    void OnCrossCut();
    void OnTestCut();

    // Closing.
    void OnOK();
    void OnCancel();
    bool ConfirmUnsentChanges();
    void SaveSettings();

    bool CheckQueues() const;
    // Hands the current values to the retry timer; MarkUnsent publishes first, so the tick that
    // finds a bit also finds the values that go with it.
    void PublishRetryValues();
    void MarkUnsent(unsigned bit);
    bool HasUnsent() const;
    void SetEnabled(int id, bool enabled);
    void SetVisible(int id, bool visible);
    void SetText(int id, const QString& text);
    QLineEdit* Edit(int id) const;
    void DrawPicture(QPainter& painter, const std::string& file, const QRect& rect);

    ControllerLinks m_links;
    CSkinFolders m_folders;
    std::map<int, CSkinButton*> m_buttons;
    std::map<int, CSkinArrowButton*> m_arrows;
    CSkinRadio* m_pKeyboard = nullptr;
    CSkinCombo* m_pMediaType = nullptr;
    // Pictures read once, by file name and place.
    std::map<QString, CSkinBitmap> m_pictures;
    bool m_bOpened = false;
    bool m_bTimerStarted = false;
    bool m_bSwallowRelease = false;
};
