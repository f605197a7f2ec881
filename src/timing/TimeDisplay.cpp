#include "timing/TimeDisplay.h"

namespace {

DigitLit litIf(bool significant)
{
    return significant ? DigitLit::Active : DigitLit::Dim;
}

} // namespace

QList<DigitShow> digitsForTime(DisplayRow row, qint32 ms)
{
    ms = qMax(ms, 0);
    const int f = ms % 1000;
    if (row == DisplayRow::Upper) {
        const int m = (ms / 60000) % 60;
        const int s = (ms / 1000) % 60;
        return {
            {QStringLiteral("Digit4"), m % 10, litIf(m > 0)},
            {QStringLiteral("Digit5"), s / 10, litIf(s / 10 + m > 0)},
            {QStringLiteral("Digit6"), s % 10, DigitLit::Unchanged},
            {QStringLiteral("Digit7"), f / 100, DigitLit::Unchanged},
            {QStringLiteral("Digit8"), (f / 10) % 10, DigitLit::Unchanged},
        };
    }
    const int S = ms / 1000;
    return {
        {QStringLiteral("Digit1"), (S / 100) % 10, litIf(S / 100 > 0)},
        {QStringLiteral("Digit2"), (S / 10) % 10, litIf(S / 100 + (S / 10) % 10 > 0)},
        {QStringLiteral("Digit3"), S % 10, DigitLit::Unchanged},
        {QStringLiteral("Digit0"), f / 100, DigitLit::Unchanged},
        {QStringLiteral("Digit10"), (f / 10) % 10, DigitLit::Unchanged},
    };
}
