#pragma once

#include "controls/SortTypes.h"

#include <QLocale>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

// Reads cell texts as the values the numeric, date and time sort styles
// compare, in one locale's formats. Letters are matched without regard to case.
class SortValueReader
{
public:
    explicit SortValueReader(const QLocale &locale);

    // Decimal notation with the locale's decimal separator, optional sign and
    // exponent; group separators, infinities and NaN are not numbers.
    std::optional<double> number(QStringView text) const;
    // A date in the locale's short date format, optionally followed by a time
    // of day, as milliseconds on one continuous scale. Day and month take one
    // or two digits, the year two or four (two-digit years fall within 50
    // years of today).
    std::optional<qint64> dateTime(QStringView text) const;
    // A time of day in the locale's short or long time format (seconds
    // optional that way; an AM/PM marker may be left out for 24-hour input),
    // as milliseconds since midnight.
    std::optional<qint64> time(QStringView text) const;

private:
    // One element of a compiled date or time format: a field or literal text.
    enum class Part {
        Literal,
        Day,
        DayName,
        Month,
        MonthName,
        Year,
        Hour,
        Minute,
        Second,
        Millisecond,
        AmPm,
        Zone
    };
    struct Token
    {
        Part part;
        QString literal;
    };
    struct Fields;

    static std::vector<Token> compile(const QString &format);
    bool match(const std::vector<Token> &tokens, QStringView text, qsizetype &pos,
               Fields &fields) const;

    QLocale m_locale;
    std::vector<Token> m_date;
    std::vector<Token> m_shortTime;
    std::vector<Token> m_longTime;
    QStringList m_monthNames;
    QStringList m_dayNames;
    QStringList m_amPm;
    int m_centuryStart;
};

// An optional sign followed by decimal digits only, within 64 bits.
std::optional<qint64> parseWholeNumber(QStringView text);

// The style that fits every text of a column: ssNumeric if all are numbers
// (also when there are none), else ssDateTime, else ssTime, else ssNormal.
TSortStyle detectSortStyle(const QStringList &texts, const QLocale &locale);
