#include "controls/GridPictures.h"

#include <QPainter>

namespace {

const QColor LightGrey(192, 192, 192);
const QColor Grey(128, 128, 128);
const QColor DarkGrey(64, 64, 64);
const QColor White(255, 255, 255);
const QColor Black(0, 0, 0);

// A grey triangle with a lit (white) edge; the light grey around it is left
// transparent so the header colour shows through.
QImage arrow(bool up)
{
    QImage img(8, 7, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 7; ++y) {
        const int row = up ? y : 6 - y; // row 0 is the tip
        const int half = row / 2 + 1;
        const int left = 4 - half;
        const int right = 3 + half;
        for (int x = left; x <= right; ++x)
            img.setPixelColor(x, y, Grey);
        img.setPixelColor(right, y, White);
        if (up && row == 6) {
            for (int x = left; x <= right; ++x)
                img.setPixelColor(x, y, White);
        }
    }
    return img;
}

QImage checkBox(bool checked)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QRect box(1, 1, 13, 13);
    p.fillRect(box, White);
    p.setPen(Grey);
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.topLeft(), box.bottomLeft());
    p.setPen(DarkGrey);
    p.drawLine(box.left() + 1, box.top() + 1, box.right() - 1, box.top() + 1);
    p.drawLine(box.left() + 1, box.top() + 1, box.left() + 1, box.bottom() - 1);
    p.setPen(White);
    p.drawLine(box.bottomLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomRight());
    p.setPen(LightGrey);
    p.drawLine(box.left() + 1, box.bottom() - 1, box.right() - 1, box.bottom() - 1);
    p.drawLine(box.right() - 1, box.top() + 1, box.right() - 1, box.bottom() - 1);
    if (checked) {
        // A tick three pixels thick.
        for (int i = 0; i < 3; ++i) {
            p.setPen(Black);
            p.drawLine(4, 6 + i, 6, 8 + i);
            p.drawLine(6, 8 + i, 10, 4 + i);
        }
    }
    return img;
}

QImage buttonFace()
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(LightGrey);
    QPainter p(&img);
    p.setPen(White);
    p.drawLine(0, 0, 14, 0);
    p.drawLine(0, 0, 0, 14);
    p.setPen(DarkGrey);
    p.drawLine(0, 15, 15, 15);
    p.drawLine(15, 0, 15, 15);
    p.setPen(Grey);
    p.drawLine(1, 14, 14, 14);
    p.drawLine(14, 1, 14, 14);
    return img;
}

QImage comboButton()
{
    QImage img = buttonFace();
    for (int y = 0; y < 4; ++y) {
        for (int x = 4 + y; x <= 10 - y; ++x)
            img.setPixelColor(x, 6 + y, Black);
    }
    return img;
}

QImage ellipsisButton()
{
    QImage img = buttonFace();
    for (int dot = 0; dot < 3; ++dot) {
        const int x = 3 + dot * 4;
        img.setPixelColor(x, 10, Black);
        img.setPixelColor(x + 1, 10, Black);
        img.setPixelColor(x, 11, Black);
        img.setPixelColor(x + 1, 11, Black);
    }
    return img;
}

} // namespace

QImage makeGridPicture(TGridPicture picture)
{
    switch (picture) {
    case TGridPicture::UP:
        return arrow(true);
    case TGridPicture::DOWN:
        return arrow(false);
    case TGridPicture::CHECKED:
        return checkBox(true);
    case TGridPicture::UNCHECKED:
        return checkBox(false);
    case TGridPicture::COMBOBOX:
        return comboButton();
    case TGridPicture::ELLIPSIS:
        return ellipsisButton();
    }
    return {};
}
