#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

class QLabel;

// The date panel's text size as designed, for the German short formats.
inline constexpr int kDatePanelPixelSize = 24;

// The date panel's text: the locale's short date, three blanks, its short time.
QString dateCaption(const QDateTime &now, const QLocale &locale);

// Shows the caption on the date panel, at the designed size where it fits and
// smaller where the locale's formats are longer ("28 Dec 2026   14:30:45").
void showDateCaption(QLabel &panel, const QString &caption);
