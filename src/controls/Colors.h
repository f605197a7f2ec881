#pragma once

#include <QColor>
#include <QPalette>

// Colour values as the controls store them: 0x00BBGGRR, or a system colour
// (high byte 0xFF, low byte the system colour index) resolved when drawn, or
// clNone for "no colour" where a property allows it.
using TColor = quint32;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;

inline constexpr TColor clNone = 0x1FFFFFFF;

constexpr bool isSystemColor(TColor c)
{
    return (c & 0xFF000000) == clSystemColor;
}

// The colour to draw with; system colours come from the palette's roles.
// clNone gives an invalid QColor: callers skip drawing.
QColor toQColor(TColor c, const QPalette &palette);
QColor toQColor(TColor c);

// A plain 0x00BBGGRR value of an RGB colour (alpha dropped).
TColor fromQColor(const QColor &c);
