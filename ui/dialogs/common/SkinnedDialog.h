#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

#include <functional>

class CSkinButton;
class CSkinFolders;
class QKeyEvent;

// Opens the help page of a topic for a window (the application's ShowHelp).
using ShowHelpFn = std::function<void(QWidget* window, int topic)>;

// What the controller's settings windows share: the main window's look and font, every child
// kept under its control id, skinned push buttons, F1 for the window's help topic, and an
// opening that can fail with a message code. Escape and the close box end the window with
// kIdCancel, as Cancel does.
class CSkinnedDialog : public QDialog {
    Q_OBJECT

public:
    // Results, as the windows' callers test them.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;

    QWidget* Control(int id) const;

    // The opening; when it fails, its message has been shown and the window's result is its
    // code. Tests call it and show() the window themselves.
    [[nodiscard]] int OnInitDialog();

    // Runs the opening, then the window modally. A failed opening returns its code without
    // showing the window.
    int exec() override;

protected:
    CSkinnedDialog(const CSkinFolders& folders, ShowHelpFn showHelp, int helpTopic,
                   const QString& title, QWidget* parent);

    // The window's own opening: read what it shows, create and fill its controls. 0, or the
    // message code that ends the window.
    [[nodiscard]] virtual int OnOpen() = 0;

    // A skinned push button of kind 0 captioned with a string-table text: 0, 1014 or 1015.
    [[nodiscard]] int AddButton(int id, int x, int y, int captionId, CSkinButton*& button);

    // Places a plain control and keeps it under its id; an id that cannot be kept ends the
    // opening with 1014.
    template <typename Control> Control* Add(Control* control, int id, const QRect& rect) {
        Keep(control, id, rect);
        return control;
    }

    const CSkinFolders& Folders() const { return m_folders; }
    const ShowHelpFn& ShowHelp() const { return m_showHelp; }

    // A text of the active string table.
    static QString Text(int id);

    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void Keep(QWidget* control, int id, const QRect& rect);

    const CSkinFolders& m_folders;
    ShowHelpFn m_showHelp;
    int m_nHelpTopic;
    bool m_bAttachFailed = false;
};
