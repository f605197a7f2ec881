// Where the ports of the COM table are found on Linux, and the stable names
// of USB adapters.

#include "platform/serial/SerialDevice.h"

#include <QDir>
#include <QFileInfo>

namespace platform::serial {
namespace {

QString deviceFolder()
{
    return qEnvironmentVariable("TAVRIN_DEV_DIR", QStringLiteral("/dev"));
}

QDir stableNameFolder()
{
    return QDir(deviceFolder() + QStringLiteral("/serial/by-id"));
}

// The device a link points to, as a clean absolute path; empty for anything
// that is not a link.
QString linkTarget(const QString &link)
{
    const QFileInfo info(link);
    return info.isSymLink() ? QDir::cleanPath(info.symLinkTarget()) : QString();
}

} // namespace

QString deviceName(int port)
{
    struct Range
    {
        int firstPort, lastPort;
        const char *stem;
    };
    static constexpr Range table[] = {{1, 4, "ttyS"}, {5, 12, "ttyUSB"}, {13, 16, "ttyACM"}};
    for (const Range &range : table) {
        if (port >= range.firstPort && port <= range.lastPort)
            return deviceFolder() + u'/' + QLatin1String(range.stem) +
                   QString::number(port - range.firstPort);
    }
    return {};
}

QString stableNameOf(const QString &device)
{
    if (device.isEmpty())
        return {};
    const QString wanted = QDir::cleanPath(device);
    const QDir folder = stableNameFolder();
    for (const QString &name :
         folder.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        if (linkTarget(folder.filePath(name)) == wanted)
            return name;
    }
    return {};
}

QString devicePath(int port, const QString &stableName)
{
    // A name is one entry of the folder, never a way out of it.
    if (!stableName.isEmpty() && !stableName.contains(u'/')) {
        const QString target = linkTarget(stableNameFolder().filePath(stableName));
        if (!target.isEmpty())
            return target;
    }
    return deviceName(port);
}

} // namespace platform::serial
