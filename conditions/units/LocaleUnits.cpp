#include "conditions/units/LocaleUnits.h"

#include "conditions/units/LengthUnits.h"

#include <QLocale>

int DefaultDisplayUnit(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? kUnitInch : kUnitMetric;
}

QChar DecimalSeparator(const QLocale& locale) {
    const QString separator = locale.decimalPoint();
    return separator.isEmpty() ? QChar('.') : separator.front();
}
