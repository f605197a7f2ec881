#pragma once

#include <QChar>
#include <QString>
#include <QVariant>

namespace platform::office {

// The number format a German spreadsheet gives a decimal it read from text.
inline constexpr char16_t kHundredthsFormat[] = u"0.00";
// The number format under which typed text stays text.
inline constexpr char16_t kTextFormat[] = u"@";

// What a cell holds once text was assigned to it.
struct CellValue
{
    QVariant value;       // invalid (empty cell), double, or QString
    QString numberFormat; // implied by the text; empty for the general format
};

// The effect of assigning text to a cell of a German spreadsheet: a whole
// number ("7") or a decimal with two places ("12,34") becomes a number, the
// decimal with the format 0.00; anything else ("1.02,34", "-", "07", names)
// stays text, and an empty text empties the cell. Only texts that come back
// unchanged through cellText() become numbers, so nothing is lost on import.
CellValue cellValueFromText(const QString &text);

enum class WholeNumbers { AsDecimal, AsDigits };

// A cell's value as the importer reads it: a number with two decimals and the
// given decimal point ("%1.2f"), or as its digits when it is whole and asked
// so; text as it stands; an empty cell as an empty text.
QString cellText(const QVariant &value, QChar decimalPoint, WholeNumbers wholeNumbers);

} // namespace platform::office
