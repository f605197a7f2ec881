#pragma once

#include <QDateTime>
#include <QString>

// Time value: signed milliseconds. Every text form shows hundredths, truncated.

// "h:mm.ss,hh" with leading zeros and separators stripped, keeping at least
// "s,hh": 0 -> "0,00", 62340 -> "1.02,34", 3600000 -> "1:00.00,00".
QString FormatTime(qint32 ms);

// Reads "mm.ss,hh" (shorter texts are padded from the left); a pair that is not
// a number adds nothing, so "-", "" and texts with hours all read as 0.
qint32 ParseTime(const QString &text);

// Local date and time for proposed file names: "yyyy-mm-dd-hh-mm".
QString DateStamp();
QString DateStamp(const QDateTime &moment);
