#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The date panel's text: the locale's short date, three blanks, its short time.
QString dateCaption(const QDateTime &now, const QLocale &locale);
