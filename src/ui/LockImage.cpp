#include "ui/LockImage.h"

#include <QMouseEvent>

TImageList::TImageList(QList<QPixmap> pictures, QObject *parent)
    : QObject(parent)
    , m_pictures(std::move(pictures))
{
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
