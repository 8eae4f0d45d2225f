#pragma once

// The drawing and set-up that the skinned push button and the toggle share: one scaled
// picture per state, a caption centred on it and a focus rectangle.

#include "skin/SkinFolders.h"

#include <QImage>
#include <QPushButton>
#include <QString>

#include <span>
#include <string_view>
#include <vector>

class CSkinButtonBase : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kDisabledState = 3;

    int State() const { return m_nState; }
    const QString& Caption() const { return m_strCaption; }
    int CaptionHeight() const { return m_nFontHeight; }
    // The scaled picture of a state, for windows and tests that compare drawings.
    const QImage& Picture(int state) const { return m_pictures.at(state); }

    // Whether the control is held down by the mouse or the space bar: its own key handling
    // then comes before the window's.
    virtual bool IsHeld() const = 0;
    // Lets go of a held control as F1 does: back to its released look, and what it pressed
    // is released.
    virtual void LetGo() = 0;

protected:
    CSkinButtonBase(const CSkinFolders& folders, QWidget* dialog);

    // Attaching and Init are split for the window's two failure codes.
    bool Attach(int id);
    bool InitPictures(int x, int y, int width, int height,
                      std::span<const std::string_view> pictures, const QString& caption,
                      int fontHeight);
    // Attach and Init in one: 0, or the message code the window shows and ends with.
    [[nodiscard]] int SetUpWith(int id, int x, int y, int width, int height,
                                std::span<const std::string_view> pictures, const QString& caption,
                                int fontHeight);

    void SetState(int state);
    // The state a re-enabled control returns to.
    virtual void OnEnabledAgain() { SetState(0); }
    // Called before drawing when another window has come to the front.
    virtual void OnNotInFront() { SetState(0); }
    // Whether the caption moves one pixel right and down in the current state.
    virtual bool CaptionPressed() const { return m_nState == 2; }

    // Mouse and key events go through the two filters first; a filter that returns true has
    // swallowed the event.
    bool event(QEvent* event) override;
    virtual bool FilterMouse(QEvent*) { return false; }
    virtual bool FilterKey(QEvent*) { return false; }

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

    bool PointerInside(const QPointF& position) const {
        return rect().contains(position.toPoint());
    }

private:
    void SyncEnabledState();

    CSkinFolders m_folders;
    std::vector<QImage> m_pictures;
    QString m_strCaption;
    int m_nFontHeight = 0;
    int m_nState = 0;
};
