#include "ui/DateCaption.h"

QString dateCaption(const QDateTime &now, const QLocale &locale)
{
    return locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("   ") +
           locale.toString(now.time(), QLocale::ShortFormat);
}
