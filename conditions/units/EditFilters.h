#pragma once

#include <QChar>
#include <QString>

class QLineEdit;

// Keystroke filters for numeric edit boxes, run on the whole text after every change.

// Digits, at most one `separator` followed by at most `decimals` characters, and a minus sign
// only in first place. The empty text is acceptable.
bool IsDecimalTextAcceptable(const QString& text, int decimals, QChar separator);
// Digits and a minus sign only in first place. The empty text is acceptable.
bool IsIntegerTextAcceptable(const QString& text);

// Accepting remembers the text as the edit's last accepted text and clears the edit's undo
// history, so that an undo can only return to that text. Rejecting puts the last accepted
// text back (without a further textChanged), moves the selection one position back from where
// it was and beeps. An edit that has not been filtered before counts as last accepted empty:
// fill it with its first value while the filter is connected, or run the filter once after
// filling it. Returns whether the text was accepted.
// The decimal filter first takes the separator of the other convention ('.' or ',') as
// `separator` and puts that into the edit, so "1,5" typed under English reads 1.5.
bool FilterDecimalEdit(QLineEdit* edit, int decimals, QChar separator);
bool FilterIntegerEdit(QLineEdit* edit);
