#include "ui/LockImage.h"

#include <QMouseEvent>
#include <QPainter>

TImageList::TImageList(QList<QPixmap> pictures, QObject *parent)
    : QObject(parent)
    , m_pictures(std::move(pictures))
{
}

namespace {

QPixmap lockPicture(const QColor &disc, bool cross)
{
    QPixmap picture(22, 22);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(disc.darker(160), 1));
    painter.setBrush(disc);
    painter.drawEllipse(QRectF(1.5, 1.5, 19, 19));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(5, 9, 12, 4));
    if (cross)
        painter.drawRect(QRectF(9, 5, 4, 12));
    return picture;
}

} // namespace

QList<QPixmap> barrierLockPictures()
{
    return {lockPicture(QColor(220, 0, 0), false), lockPicture(QColor(0, 170, 0), true)};
}

TLockImage::TLockImage(QWidget *parent)
    : QLabel(parent)
{
}

void TLockImage::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
