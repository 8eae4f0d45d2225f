#pragma once

#include <QDialog>

#include <functional>

class CSkinFolders;
class QWidget;

// The About window: the program icon, the version text and an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 100;
    static constexpr int kVersionText = 2100;

    CAboutDlg(const CSkinFolders& folders, std::function<void(QWidget*, int)> showHelp,
              QWidget* parent = nullptr);

    // Sets the OK button up and runs the window; a button that cannot be set up is shown and
    // ends the window with its code.
    int exec() override;

    QWidget* Control(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const CSkinFolders& m_folders;
    std::function<void(QWidget*, int)> m_showHelp;
};
