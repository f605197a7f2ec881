#include "controls/FloatText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Appends the run of ASCII digits starting at `pos` to `out`; returns its end.
qsizetype takeDigits(const QString &text, qsizetype pos, std::string &out)
{
    while (pos < text.size() && isDigit(text.at(pos)))
        out += char(text.at(pos++).unicode());
    return pos;
}

// Shortest round-trip digits of |value| (no leading zeros) and the decimal
// exponent of the first digit: value = 0.d1d2… × 10^(exponent + 1).
struct Decimal
{
    std::string digits;
    int exponent = 0;
};

Decimal shortestDecimal(double value)
{
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const std::string sci(buf, res.ptr);
    const auto e = sci.find('e');
    Decimal d;
    for (std::size_t i = 0; i < e; ++i) {
        if (sci[i] != '.')
            d.digits += sci[i];
    }
    d.exponent = std::stoi(sci.substr(e + 1));
    return d;
}

// Cuts the digit string `s` to `keep` digits, rounding half away from zero; a
// carry out of the top digit adds a digit in front.
void roundDigits(std::string &s, std::size_t keep)
{
    if (s.size() <= keep)
        return;
    const bool up = s[keep] >= '5';
    s.resize(keep);
    if (!up)
        return;
    for (auto i = s.size(); i-- > 0;) {
        if (s[i] != '9') {
            ++s[i];
            return;
        }
        s[i] = '0';
    }
    s.insert(s.begin(), '1');
}

QString exponentForm(double value, const Decimal &d, QChar separator)
{
    QString text = value < 0 ? QStringLiteral("-") : QString();
    text += QLatin1Char(d.digits.front());
    if (d.digits.size() > 1)
        text += separator + QLatin1String(d.digits.substr(1));
    return text + QStringLiteral("E+") + QString::number(d.exponent);
}

} // namespace

bool isDecimalMark(QChar c)
{
    return c == u'.' || c == u',';
}

std::optional<double> ConvertFloat(const QString &text, QChar separator)
{
    const QString t = text.trimmed();
    qsizetype pos = 0;
    std::string number;
    if (pos < t.size() && (t.at(pos) == u'-' || t.at(pos) == u'+')) {
        if (t.at(pos) == u'-')
            number += '-';
        ++pos;
    }
    std::string integerPart;
    pos = takeDigits(t, pos, integerPart);
    std::string fraction;
    if (pos < t.size() && (t.at(pos) == separator || isDecimalMark(t.at(pos))))
        pos = takeDigits(t, pos + 1, fraction);
    if (integerPart.empty() && fraction.empty())
        return std::nullopt;
    number += (integerPart.empty() ? std::string("0") : integerPart) + '.' +
              (fraction.empty() ? std::string("0") : fraction);
    if (pos < t.size() && (t.at(pos) == u'e' || t.at(pos) == u'E')) {
        ++pos;
        std::string exponent;
        if (pos < t.size() && (t.at(pos) == u'-' || t.at(pos) == u'+'))
            exponent += char(t.at(pos++).unicode());
        const auto signLength = exponent.size();
        pos = takeDigits(t, pos, exponent);
        if (exponent.size() > signLength)
            number += 'e' + exponent;
    }
    if (pos != t.size())
        return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec != std::errc() || res.ptr != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString FormatFloat(double value, int digits, QChar separator)
{
    digits = std::clamp(digits, 0, 18);
    if (!std::isfinite(value))
        return QString::number(value);
    const Decimal d = shortestDecimal(value);
    if (value != 0 && d.exponent >= 18)
        return exponentForm(value, d, separator);

    // Lay the digits out so that `integerLength` of them stand before the point.
    std::string s = d.digits;
    int integerLength = d.exponent + 1;
    if (integerLength <= 0) {
        s.insert(0, std::size_t(1 - integerLength), '0');
        integerLength = 1;
    }
    const auto wanted = std::size_t(integerLength + digits);
    if (s.size() < wanted)
        s.append(wanted - s.size(), '0');
    roundDigits(s, wanted);
    integerLength = int(s.size()) - digits; // a carry may have added a digit

    const bool zero = s.find_first_not_of('0') == std::string::npos;
    QString text = value < 0 && !zero ? QStringLiteral("-") : QString();
    std::string integerPart = s.substr(0, std::size_t(integerLength));
    integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size() - 1));
    text += QLatin1String(integerPart);
    if (digits > 0)
        text += separator + QLatin1String(s.substr(std::size_t(integerLength)));
    return text;
}

double ReadFloatValue(const QString &text, QChar separator, double min, double max)
{
    double value = min;
    if (text.isEmpty() || text == u"-" || text == QString(separator) || text == u"E")
        value = 0;
    else if (const auto converted = ConvertFloat(text, separator))
        value = *converted;
    return std::clamp(value, min, max);
}
