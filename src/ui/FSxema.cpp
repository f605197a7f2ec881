#include "ui/FSxema.h"

#include "platform/JpegDecoder.h"
#include "ui/DialogBorder.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>

TFormSxema::TFormSxema(QWidget *parent)
    : QDialog(parent)
    , Image1(new QLabel(this))
{
    setObjectName(QStringLiteral("FormSxema"));
    setDialogBorder(this, QSize(645, 272));
    setWindowTitle(QStringLiteral("Sxema"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    // The picture is built in; should it ever fail to decode, the window stays
    // usable and simply shows no picture.
    QFile picture(QStringLiteral(":/sxema.jpg"));
    const QByteArray jpeg = picture.open(QIODevice::ReadOnly) ? picture.readAll() : QByteArray();
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(platform::decodeJpeg(jpeg)));
    Image1->setGeometry(QRect(QPoint(0, 0), Image1->pixmap().size()));
}

void TFormSxema::FormKeyDown(int, Qt::KeyboardModifiers)
{
    close();
}

void TFormSxema::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event->key(), event->modifiers());
    event->accept();
}
