#pragma once

#include <QList>
#include <QString>

// What the two seven-segment rows show for a time value: the values of their
// digit controls (by object name) and which lit colour each one takes. The
// main window and the second monitor apply the same list to their own controls.

enum class DisplayRow { Upper, Lower };

// Lit-segment colours, 0x00BBGGRR.
inline constexpr quint32 kActiveDigitColor = 0x00FFFF; // significant digits
inline constexpr quint32 kDimDigitColor = 0x404040;    // leading zeros

enum class DigitLit { Unchanged, Dim, Active };

struct DigitShow
{
    QString name; // object name of the digit control
    int value;
    DigitLit lit;

    bool operator==(const DigitShow &) const = default;
};

// Upper row: minutes (one digit) . seconds , hundredths.
// Lower row: total seconds (three digits) , hundredths.
// In the upper row the caption "LabMin" takes the lit colour of "Digit4".
QList<DigitShow> digitsForTime(DisplayRow row, qint32 ms);
