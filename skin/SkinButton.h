#pragma once

// A bitmap-skinned push button: 0 released, 1 pressed with the pointer outside, 2 pressed
// with the pointer inside, 3 disabled. It keeps its own state from the mouse and key events
// it sees before the dialog does; a release inside emits clicked(), one outside does nothing.

#include "skin/SkinButtonBase.h"
#include "skin/SkinKinds.h"

class CSkinButton : public CSkinButtonBase {
    Q_OBJECT
public:
    CSkinButton(const CSkinFolders& folders, QWidget* dialog);

    // Attaches the button to its dialog under id, then Init: 0, 1014 when it cannot be
    // attached, 1015 when its pictures cannot be prepared.
    [[nodiscard]] int SetUp(int id, int x, int y, int kind, const QString& caption, int fontHeight);
    // Moves the button to (x, y), gives it the kind's size and loads the kind's pictures.
    // False when a picture cannot be read or the kind does not exist.
    bool Init(int x, int y, int kind, const QString& caption, int fontHeight);

    // Back to the released look, for windows that let go of held buttons.
    void ResetState() { SetState(0); }

    bool IsHeld() const override;
    void LetGo() override;

protected:
    // The kind table the button draws from, and what the kind tells besides its pictures.
    virtual const skin::ButtonKind* Kind(int kind) const;
    virtual void KindChosen(int) {}
    // The button has been pressed (state 2 by the mouse or the space bar) or let go.
    virtual void OnPressed() {}
    virtual void OnReleased() {}

private:
    bool FilterMouse(QEvent* event) override;
    bool FilterKey(QEvent* event) override;
};
