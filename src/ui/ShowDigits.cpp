#include "ui/ShowDigits.h"

#include "controls/Udigit.h"

#include <QLabel>

void showDigits(QWidget *display, const QList<DigitShow> &shows, TColor active)
{
    for (const DigitShow &show : shows) {
        auto *digit = display->findChild<TDigit *>(show.name);
        if (!digit)
            continue;
        digit->setValue(show.value);
        if (show.lit == DigitLit::Unchanged)
            continue;
        const TColor lit = show.lit == DigitLit::Active ? active : kDimDigitColor;
        digit->setColorOn(lit);
        if (show.name == QLatin1String("Digit4")) {
            if (auto *labMin = display->findChild<QLabel *>(QStringLiteral("LabMin")))
                setFontColor(labMin, lit);
        }
    }
}

void setFontColor(QLabel *label, TColor color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    label->setPalette(palette);
}
