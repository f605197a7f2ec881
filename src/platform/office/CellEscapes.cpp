#include "platform/office/CellEscapes.h"

namespace platform::office {
namespace {

constexpr qsizetype kEscapeLength = 7; // _xHHHH_

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The UTF-16 code of an escape starting at i, or -1.
int escapeAt(QStringView text, qsizetype i)
{
    if (i + kEscapeLength > text.size() || text[i] != u'_' || text[i + 1] != u'x' ||
        text[i + kEscapeLength - 1] != u'_')
        return -1;
    int code = 0;
    for (qsizetype k = i + 2; k < i + kEscapeLength - 1; ++k) {
        const int digit = hexValue(text[k]);
        if (digit < 0)
            return -1;
        code = code * 16 + digit;
    }
    return code;
}

} // namespace

QString decodeCellEscapes(QStringView text)
{
    if (!text.contains(u"_x"))
        return text.toString();
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const int code = escapeAt(text, i);
        if (code < 0) {
            decoded.append(text[i++]);
            continue;
        }
        i += kEscapeLength;
        const QChar c{char16_t(code)};
        if (c.isHighSurrogate()) {
            const int low = escapeAt(text, i);
            if (low >= 0 && QChar(char16_t(low)).isLowSurrogate()) {
                decoded.append(c).append(QChar(char16_t(low)));
                i += kEscapeLength;
                continue;
            }
        }
        decoded.append(c.isSurrogate() ? QChar(QChar::ReplacementCharacter) : c);
    }
    return decoded;
}

QString protectCellEscapes(const QString &text)
{
    if (!text.contains(u"_x"))
        return text;
    QString protectedText;
    protectedText.reserve(text.size() + 7);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (escapeAt(text, i) >= 0)
            protectedText.append(u"_x005F");
        protectedText.append(text[i]);
    }
    return protectedText;
}

} // namespace platform::office
