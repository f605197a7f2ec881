#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

// What the configuration dialog lists and reads back, free of widgets.

// The port list's first entry: no port.
inline constexpr QLatin1StringView kNoPortEntry("Kein");

// "Kein", then "COM"n for every present port n from 1 up to the highest one,
// ascending. probedPorts: bit n-1 for port n, the highest n in the high word.
QStringList portEntries(quint32 probedPorts);

// The port number an entry names (the digits after "COM"); 0 for "Kein" and
// for anything that names no port.
int portOfEntry(const QString &entry);

// A monitor's entry in the monitor list: number=(left,top)-(width,height).
QString monitorEntry(int number, const QRect &geometry);

// The lockout interval for a time in seconds, to the nearest millisecond.
qint32 lockoutInterval(double seconds);

// The integer a spin field's text holds; none when it holds anything else.
std::optional<int> integerIn(const QString &text);
