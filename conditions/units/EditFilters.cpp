#include "conditions/units/EditFilters.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVariant>

#include <algorithm>

namespace {

// Dynamic property of a filtered edit holding its last accepted text. A QLineEdit's own undo
// history merges and keeps several steps, so it cannot restore that text reliably.
constexpr char kAcceptedTextProperty[] = "quirnAcceptedText";

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

struct Selection {
    int start;
    int end;
    int cursor;
};

Selection CurrentSelection(const QLineEdit& edit) {
    if (!edit.hasSelectedText()) {
        const int cursor = edit.cursorPosition();
        return {cursor, cursor, cursor};
    }
    return {edit.selectionStart(), edit.selectionEnd(), edit.cursorPosition()};
}

// Sets the selection with the caret at the same end as before.
void SetSelection(QLineEdit& edit, Selection selection) {
    if (selection.start == selection.end) {
        edit.setCursorPosition(selection.start);
    } else if (selection.cursor == selection.start) {
        edit.setSelection(selection.end, selection.start - selection.end);
    } else {
        edit.setSelection(selection.start, selection.end - selection.start);
    }
}

void Accept(QLineEdit& edit) {
    const QString text = edit.text();
    edit.setProperty(kAcceptedTextProperty, text);
    if (!edit.isUndoAvailable()) {
        return;
    }
    // Setting the text is the only way a QLineEdit clears its undo history.
    const Selection selection = CurrentSelection(edit);
    const QSignalBlocker blocker(&edit);
    edit.setText(text);
    SetSelection(edit, selection);
}

void Reject(QLineEdit& edit) {
    const Selection before = CurrentSelection(edit);
    const QString accepted = edit.property(kAcceptedTextProperty).toString();
    {
        // No textChanged: the caller's handler must not run again for the old text.
        const QSignalBlocker blocker(&edit);
        edit.setText(accepted);
    }
    const int length = static_cast<int>(accepted.size());
    const auto back = [length](int position) { return std::clamp(position - 1, 0, length); };
    SetSelection(edit, {back(before.start), back(before.end), back(before.cursor)});
    QApplication::beep();
}

bool Apply(QLineEdit* edit, bool accepted) {
    if (edit == nullptr) {
        return false;
    }
    if (accepted) {
        Accept(*edit);
    } else {
        Reject(*edit);
    }
    return accepted;
}

// A user used to the other convention types "1,5" under English or "1.5" under German and
// means one and a half; dropping the character would silently make it 15.
void TakeOtherSeparatorAs(QLineEdit& edit, QChar separator) {
    const QChar other = separator == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    QString text = edit.text();
    if (!text.contains(other)) {
        return;
    }
    text.replace(other, separator);
    const Selection selection = CurrentSelection(edit);
    const QSignalBlocker blocker(&edit);
    edit.setText(text);
    SetSelection(edit, selection);
}

} // namespace

bool IsDecimalTextAcceptable(const QString& text, int decimals, QChar separator) {
    bool separatorSeen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (IsAsciiDigit(c)) {
            continue;
        }
        if (c == separator && !separatorSeen) {
            separatorSeen = true;
            if (text.size() - i - 1 > decimals) {
                return false;
            }
            continue;
        }
        if (c == QLatin1Char('-') && i == 0) {
            continue;
        }
        return false;
    }
    return true;
}

bool IsIntegerTextAcceptable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!IsAsciiDigit(c) && !(c == QLatin1Char('-') && i == 0)) {
            return false;
        }
    }
    return true;
}

bool FilterDecimalEdit(QLineEdit* edit, int decimals, QChar separator) {
    if (edit != nullptr) {
        TakeOtherSeparatorAs(*edit, separator);
    }
    return Apply(edit,
                 edit != nullptr && IsDecimalTextAcceptable(edit->text(), decimals, separator));
}

bool FilterIntegerEdit(QLineEdit* edit) {
    return Apply(edit, edit != nullptr && IsIntegerTextAcceptable(edit->text()));
}
