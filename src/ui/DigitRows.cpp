#include "ui/DigitRows.h"

#include "controls/Udigit.h"

#include <QLabel>

void setFontColor(QLabel &label, TColor color)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    label.setPalette(palette);
}

void setLitColor(QWidget &window, const QString &name, TColor color)
{
    if (auto *digit = window.findChild<TDigit *>(name))
        digit->setColorOn(color);
    else if (auto *label = window.findChild<QLabel *>(name))
        setFontColor(*label, color);
}

void showDigits(QWidget &window, const QList<DigitShow> &digits, TColor activeColor)
{
    for (const DigitShow &show : digits) {
        auto *digit = window.findChild<TDigit *>(show.name);
        if (!digit)
            continue;
        digit->setValue(show.value);
        if (show.lit == DigitLit::Unchanged)
            continue;
        digit->setColorOn(show.lit == DigitLit::Active ? activeColor : kDimDigitColor);
        // The minutes' point follows the minute digit.
        if (show.name == u"Digit4")
            setLitColor(window, QStringLiteral("LabMin"), digit->colorOn());
    }
}
