#pragma once

#include "ui/main/ControllerLinks.h"

#include <QObject>
#include <QString>

#include <string>

class CChangeSender;
class CPictureCache;
class CSkinFolders;
class QDialog;
class QLineEdit;
class QWidget;

// What every panel of the main window works with besides its own controls.
struct PanelContext {
    const ControllerLinks& links;
    QDialog& window;
    CChangeSender& sender;
    const CSkinFolders& folders;
    CPictureCache& pictures;
};

// A part of the main window that owns a group of its controls: it fills them, answers their
// notifications and keeps their state. The controls themselves are children of the window,
// found by control id.
class CMainPanel : public QObject {
    Q_OBJECT
protected:
    explicit CMainPanel(const PanelContext& context);

    const ControllerLinks& Links() const { return m_context.links; }
    QDialog& Window() const { return m_context.window; }
    CChangeSender& Sender() const { return m_context.sender; }
    const CSkinFolders& Folders() const { return m_context.folders; }
    CPictureCache& Pictures() const { return m_context.pictures; }
    // Every port operation of the window skips the print-queue check only with LM.
    bool CheckQueues() const;

    QWidget* Control(int id) const;
    template <typename T> T* ControlAs(int id) const { return qobject_cast<T*>(Control(id)); }
    QLineEdit* Edit(int id) const;
    void SetEnabled(int id, bool enabled) const;
    void SetVisible(int id, bool visible) const;
    void SetText(int id, const QString& text) const;

private:
    PanelContext m_context;
};

// A string-table text of the active language.
QString LoadText(int stringId);
