#pragma once

#include <QDialog>

class QLabel;

// Holds the user for two seconds while the plotter changes its command set. The plotter port
// stays locked meanwhile, so nothing else talks to the plotter; the window has no buttons and
// neither Enter, Escape nor the close box shortens the wait.
class CCommandWaitDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 139;
    static constexpr int kIdText = 3800;
    static constexpr int kWaitMs = 2000;

    explicit CCommandWaitDlg(QWidget* parent = nullptr);

    // The child with this control id, or nullptr.
    QWidget* Control(int id) const;

    // Runs the window modally over the active window.
    static void Wait();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLabel* m_pText;
    bool m_bWaited = false;
};
