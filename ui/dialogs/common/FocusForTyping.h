#pragma once

class QLineEdit;

// Puts the focus in the edit with its whole text selected, so that the keys the user types
// next replace that text: after a failed range check, and when a check box or radio button has
// just turned the edit on. A disabled edit is left alone.
void FocusForTyping(QLineEdit* edit);
