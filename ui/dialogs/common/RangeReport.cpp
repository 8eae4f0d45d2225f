#include "ui/dialogs/common/RangeReport.h"

#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "ui/dialogs/common/FocusForTyping.h"

bool PassesRangeCheck(const RangeCheck& check, QLineEdit* edit) {
    if (check.code == msg::kOk) {
        return true;
    }
    ShowRangeMessage(check.code, check.low.toUtf8().constData(), check.high.toUtf8().constData());
    FocusForTyping(edit);
    return false;
}
