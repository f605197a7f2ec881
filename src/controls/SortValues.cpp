#include "controls/SortValues.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 msPerDay = 86'400'000;

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool sameLetter(QChar a, QChar b)
{
    return a.toCaseFolded() == b.toCaseFolded();
}

// One to maxDigits decimal digits.
bool readNumber(QStringView text, qsizetype &pos, int maxDigits, int &value, int *digits = nullptr)
{
    int count = 0;
    value = 0;
    while (count < maxDigits && pos < text.size() && isAsciiDigit(text[pos])) {
        value = value * 10 + (text[pos].unicode() - u'0');
        ++count;
        ++pos;
    }
    if (digits)
        *digits = count;
    return count > 0;
}

// The index of the longest name that the text continues with, ignoring case.
std::optional<qsizetype> readName(QStringView text, qsizetype &pos, const QStringList &names)
{
    std::optional<qsizetype> found;
    qsizetype foundLength = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        if (name.size() > foundLength && text.sliced(pos).startsWith(name, Qt::CaseInsensitive)) {
            found = i;
            foundLength = name.size();
        }
    }
    pos += foundLength;
    return found;
}

// A blank in a format stands for any run of white space, also none.
bool matchLiteral(QStringView text, qsizetype &pos, QStringView literal)
{
    for (const QChar c : literal) {
        if (c.isSpace()) {
            while (pos < text.size() && text[pos].isSpace())
                ++pos;
        } else if (pos < text.size() && sameLetter(text[pos], c)) {
            ++pos;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

struct SortValueReader::Fields
{
    int day = 1;
    int month = 1;
    int year = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    std::optional<qsizetype> amPm; // 0 AM, 1 PM
};

SortValueReader::SortValueReader(const QLocale &locale)
    : m_locale(locale)
    , m_date(compile(locale.dateFormat(QLocale::ShortFormat)))
    , m_shortTime(compile(locale.timeFormat(QLocale::ShortFormat)))
    , m_longTime(compile(locale.timeFormat(QLocale::LongFormat)))
    , m_amPm{locale.amText(), locale.pmText()}
    , m_centuryStart(QDate::currentDate().year() - 50)
{
    m_locale.setNumberOptions(QLocale::RejectGroupSeparator);
    for (int month = 1; month <= 12; ++month) {
        m_monthNames << locale.monthName(month, QLocale::LongFormat)
                     << locale.monthName(month, QLocale::ShortFormat)
                     << locale.standaloneMonthName(month, QLocale::ShortFormat);
    }
    for (int day = 1; day <= 7; ++day) {
        m_dayNames << locale.dayName(day, QLocale::LongFormat)
                   << locale.dayName(day, QLocale::ShortFormat);
    }
}

std::vector<SortValueReader::Token> SortValueReader::compile(const QString &format)
{
    std::vector<Token> tokens;
    const auto addLiteral = [&tokens](QChar c) {
        if (tokens.empty() || tokens.back().part != Part::Literal)
            tokens.push_back({Part::Literal, {}});
        tokens.back().literal += c;
    };
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') { // quoted literal text; '' is a quote
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                addLiteral(c);
                i += 2;
                continue;
            }
            for (++i; i < format.size() && format[i] != u'\''; ++i)
                addLiteral(format[i]);
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        Part part = Part::Literal;
        switch (c.unicode()) {
        case u'd':
            part = run >= 3 ? Part::DayName : Part::Day;
            break;
        case u'M':
            part = run >= 3 ? Part::MonthName : Part::Month;
            break;
        case u'y':
            part = Part::Year;
            break;
        case u'h':
        case u'H':
            part = Part::Hour;
            break;
        case u'm':
            part = Part::Minute;
            break;
        case u's':
            part = Part::Second;
            break;
        case u'z':
            part = Part::Millisecond;
            break;
        case u't':
            part = Part::Zone;
            break;
        case u'A':
        case u'a':
            part = Part::AmPm;
            if (i + run < format.size() && (format[i + run] == u'P' || format[i + run] == u'p'))
                ++run;
            break;
        default:
            break;
        }
        if (part == Part::Literal) {
            for (qsizetype k = 0; k < run; ++k)
                addLiteral(c);
        } else {
            tokens.push_back({part, {}});
        }
        i += run;
    }
    return tokens;
}

bool SortValueReader::match(const std::vector<Token> &tokens, QStringView text, qsizetype &pos,
                            Fields &fields) const
{
    for (const Token &token : tokens) {
        bool matched = true;
        switch (token.part) {
        case Part::Literal:
            matched = matchLiteral(text, pos, token.literal);
            break;
        case Part::Day:
            matched = readNumber(text, pos, 2, fields.day);
            break;
        case Part::DayName:
            matched = readName(text, pos, m_dayNames).has_value();
            break;
        case Part::MonthName:
            if (const auto name = readName(text, pos, m_monthNames)) {
                fields.month = int(*name / 3) + 1;
                break;
            }
            [[fallthrough]];
        case Part::Month:
            matched = readNumber(text, pos, 2, fields.month);
            break;
        case Part::Year: {
            int digits = 0;
            matched = readNumber(text, pos, 4, fields.year, &digits);
            if (digits <= 2)
                fields.year = m_centuryStart + (fields.year - m_centuryStart % 100 + 100) % 100;
            break;
        }
        case Part::Hour:
            matched = readNumber(text, pos, 2, fields.hour);
            break;
        case Part::Minute:
            matched = readNumber(text, pos, 2, fields.minute);
            break;
        case Part::Second:
            matched = readNumber(text, pos, 2, fields.second);
            break;
        case Part::Millisecond:
            matched = readNumber(text, pos, 3, fields.millisecond);
            break;
        case Part::AmPm:
            fields.amPm = readName(text, pos, m_amPm);
            break; // may be left out
        case Part::Zone:
            break; // cells hold local times
        }
        if (!matched)
            return false;
    }
    return true;
}

std::optional<double> SortValueReader::number(QStringView text) const
{
    bool ok = false;
    const double value = m_locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint64> SortValueReader::dateTime(QStringView text) const
{
    text = text.trimmed();
    qsizetype pos = 0;
    Fields fields;
    if (!match(m_date, text, pos, fields))
        return std::nullopt;
    const QDate date(fields.year, fields.month, fields.day);
    if (!date.isValid())
        return std::nullopt;
    qint64 timeOfDay = 0;
    if (pos < text.size()) {
        if (!text[pos].isSpace())
            return std::nullopt;
        const auto t = time(text.sliced(pos));
        if (!t)
            return std::nullopt;
        timeOfDay = *t;
    }
    return date.toJulianDay() * msPerDay + timeOfDay;
}

std::optional<qint64> SortValueReader::time(QStringView text) const
{
    text = text.trimmed();
    for (const auto *format : {&m_shortTime, &m_longTime}) {
        qsizetype pos = 0;
        Fields fields;
        if (!match(*format, text, pos, fields) || pos != text.size())
            continue;
        int hour = fields.hour;
        if (fields.amPm) {
            if (hour < 1 || hour > 12)
                continue;
            hour = hour % 12 + int(*fields.amPm) * 12;
        }
        if (hour > 23 || fields.minute > 59 || fields.second > 59)
            continue;
        return ((hour * 60 + fields.minute) * 60 + fields.second) * 1000 + fields.millisecond;
    }
    return std::nullopt;
}

std::optional<qint64> parseWholeNumber(QStringView text)
{
    const QStringView digits =
        text.startsWith(u'+') || text.startsWith(u'-') ? text.sliced(1) : text;
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isAsciiDigit))
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

TSortStyle detectSortStyle(const QStringList &texts, const QLocale &locale)
{
    const SortValueReader reader(locale);
    bool numbers = true;
    bool dateTimes = true;
    bool times = true;
    for (const QString &text : texts) {
        numbers = numbers && reader.number(text);
        times = times && reader.time(text);
        dateTimes = dateTimes && reader.dateTime(text);
        if (!numbers && !times && !dateTimes)
            break;
    }
    if (numbers)
        return TSortStyle::ssNumeric;
    if (dateTimes)
        return TSortStyle::ssDateTime;
    if (times)
        return TSortStyle::ssTime;
    return TSortStyle::ssNormal;
}
