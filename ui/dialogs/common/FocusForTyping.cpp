#include "ui/dialogs/common/FocusForTyping.h"

#include <QLineEdit>

void FocusForTyping(QLineEdit* edit) {
    if (edit == nullptr || !edit->isEnabled()) {
        return;
    }
    edit->setFocus();
    edit->selectAll();
}
