#pragma once

#include <QString>

// Number text as the program writes and reads it: the point is always the
// decimal separator and there are no thousands separators.
namespace NumText {

// General form: the shortest text with at most 15 significant digits and no
// trailing zeros ("12.5", "3", "0.1"); scientific ("1E20", "1E-6") only where
// the fixed form would need more than 15 integer digits or the value is
// below 0.00001.
QString FloatToStr(double value);
// The "0.00" form: two decimals, rounded half away from zero ("12.50").
QString FormatFixed2(double value);

// Conversions that raise "'%s' is not a valid floating point value" and
// "'%s' is not a valid integer value".
double StrToFloat(const QString &text);
bool TryStrToFloat(const QString &text, double *value);
int StrToInt(const QString &text);
bool TryStrToInt(const QString &text, int *value);

} // namespace NumText
