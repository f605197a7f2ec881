#include "settings/CfgChoices.h"

#include <cmath>

QStringList portEntries(quint32 probedPorts)
{
    QStringList entries{kNoPortEntry};
    const quint32 highest = probedPorts >> 16;
    for (quint32 port = 1; port <= highest && port <= 16; ++port) {
        if (probedPorts & (1u << (port - 1)))
            entries << QStringLiteral("COM%1").arg(port);
    }
    return entries;
}

int portOfEntry(const QString &entry)
{
    if (!entry.startsWith(QLatin1StringView("COM")))
        return 0;
    bool ok = false;
    const int port = entry.mid(3).toInt(&ok);
    return ok && port > 0 ? port : 0;
}

QString monitorEntry(int number, const QRect &geometry)
{
    return QStringLiteral("%1=(%2,%3)-(%4,%5)")
        .arg(number)
        .arg(geometry.left())
        .arg(geometry.top())
        .arg(geometry.width())
        .arg(geometry.height());
}

qint32 lockoutInterval(double seconds)
{
    return qint32(std::lround(seconds * 1000.0));
}

std::optional<int> integerIn(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}
