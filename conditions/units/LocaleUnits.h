#pragma once

#include <QChar>

class QLocale;

// The display unit a locale implies when none is persisted: inches only where the locale
// measures in US customary units, metric everywhere else (the United Kingdom included, whose
// users' systems measure in metric).
int DefaultDisplayUnit(const QLocale& locale);

// The first character of the locale's decimal separator; '.' when it has none.
QChar DecimalSeparator(const QLocale& locale);
