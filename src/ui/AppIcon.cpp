#include "ui/AppIcon.h"

namespace AppIcon {

QString themePath(int size)
{
    const QString edge = QString::number(size);
    return QStringLiteral("hicolor/") + edge + QLatin1Char('x') + edge + QStringLiteral("/apps/") +
           QString::fromUtf16(kDesktopId) + QStringLiteral(".png");
}

QIcon icon()
{
    QIcon result;
    for (const int size : kSizes)
        result.addFile(QStringLiteral(":/icons/") + themePath(size), QSize(size, size));
    return result;
}

} // namespace AppIcon
