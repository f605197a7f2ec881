#pragma once

#include <QChar>
#include <QString>

#include <optional>

// Text forms of the numbers a float edit shows, free of any widget so the rules
// can be checked on their own. The decimal separator is always passed in: the
// field takes it from the locale once, when it is created.

// A point or a comma: either marks the decimals in a float edit.
bool isDecimalMark(QChar c);

// The number in `text`: optional blanks, an optional sign, digits with an
// optional decimal mark (`separator`, a point or a comma) and fraction (at
// least one digit in all), then an
// optional exponent "e"/"E" with optional sign and digits ("1e" reads as 1, so an
// exponent can be typed character by character). Nothing for any other text and
// for numbers too large for a double.
std::optional<double> ConvertFloat(const QString &text, QChar separator);

// Fixed-point text with exactly `digits` decimals (0 to 18), rounded half away
// from zero on the shortest decimal form of `value` (so 0.015 shows as 0,02), no
// thousands separators. Values of 1e18 and more take the exponent form.
QString FormatFloat(double value, int digits, QChar separator);

// The value a field shows: "-", the separator alone, "E" and the empty text read
// as 0, any other text that does not convert reads as `min`; the result is then
// limited to min … max.
double ReadFloatValue(const QString &text, QChar separator, double min, double max);
