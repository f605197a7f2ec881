#include "timing/TimeFormat.h"

namespace {

QString twoDigits(qint32 n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString FormatTime(qint32 ms)
{
    // Elapsed times are never negative in use; a negative value must not
    // produce a text that ParseTime or a reader would misread.
    ms = qMax(ms, 0);
    const qint32 hundredths = (ms % 1000) / 10;
    const qint32 seconds = (ms / 1000) % 60;
    const qint32 minutes = (ms / 60000) % 60;
    const qint32 hours = (ms / 3600000) % 100;
    const QString full = twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) +
                         QLatin1Char('.') + twoDigits(seconds) + QLatin1Char(',') +
                         twoDigits(hundredths);

    constexpr qsizetype maxStripped = 7;
    qsizetype strip = 0;
    while (strip < maxStripped) {
        const QChar c = full.at(strip);
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9'))
            break;
        ++strip;
    }
    return full.mid(strip);
}

qint32 ParseTime(const QString &text)
{
    static const QString templ = QStringLiteral("00.00,00");
    const qsizetype missing = templ.size() - text.size();
    const QString padded = missing >= 0 ? templ.left(missing) + text : templ + text;

    const auto pair = [&padded](qsizetype pos) {
        bool ok = false;
        const int value = padded.mid(pos, 2).toInt(&ok, 10);
        return ok ? value : 0;
    };
    return pair(0) * 60000 + pair(3) * 1000 + pair(6) * 10;
}

QString DateStamp()
{
    return DateStamp(QDateTime::currentDateTime());
}

QString DateStamp(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd-hh-mm"));
}
