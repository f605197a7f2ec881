#include "ui/DateCaption.h"

#include <QFontMetrics>
#include <QLabel>

namespace {

// Below this a caption is no longer read from the track; it is cut instead.
constexpr int kSmallestPixelSize = 8;

} // namespace

QString dateCaption(const QDateTime &now, const QLocale &locale)
{
    return locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("   ") +
           locale.toString(now.time(), QLocale::ShortFormat);
}

void showDateCaption(QLabel &panel, const QString &caption)
{
    QFont font = panel.font();
    const int width = panel.contentsRect().width();
    int size = kDatePanelPixelSize;
    for (; size > kSmallestPixelSize; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(caption) <= width)
            break;
    }
    font.setPixelSize(size);
    panel.setFont(font);
    panel.setText(caption);
}
