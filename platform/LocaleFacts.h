#pragma once

class QLocale;

namespace platform {

// Whether lengths default to millimetres: every measurement system but the US one, as the
// user's regional settings report it on Windows.
bool UsesMetric(const QLocale& locale);
bool SystemUsesMetric();

// The first character of the locale's decimal separator; '.' when it is no single byte.
char DecimalSeparator(const QLocale& locale);
char SystemDecimalSeparator();

} // namespace platform
