#include "platform/LocaleFacts.h"

#include <QLocale>

namespace platform {

bool UsesMetric(const QLocale& locale) {
    return locale.measurementSystem() != QLocale::ImperialUSSystem;
}

bool SystemUsesMetric() {
    return UsesMetric(QLocale::system());
}

char DecimalSeparator(const QLocale& locale) {
    const QString separator = locale.decimalPoint();
    if (separator.isEmpty() || separator.front().unicode() > 0x7f) {
        return '.';
    }
    return separator.front().toLatin1();
}

char SystemDecimalSeparator() {
    return DecimalSeparator(QLocale::system());
}

} // namespace platform
