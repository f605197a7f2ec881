#include "controls/ColorButtons.h"

#include <cmath>

namespace {

using enum TColorSpeedButtonStyle;

int mix(int from, int to, double f)
{
    return int(std::lround((1.0 - f) * from + f * to));
}

QColor mix(const QColor &from, const QColor &to, double f)
{
    return QColor(mix(from.red(), to.red(), f), mix(from.green(), to.green(), f),
                  mix(from.blue(), to.blue(), f));
}

} // namespace

std::optional<ColorPreset> colorPreset(TColorStyle style)
{
    switch (style) {
    case TColorStyle::csCustom:
        return std::nullopt;
    case TColorStyle::csGold:
        return ColorPreset{0x00C0C0, 0x00FFFF, 0x008080, clNone,
                           0x00DFDF, false,    clBlack,  bsModern};
    case TColorStyle::csChrome:
        return ColorPreset{0xC0C0C0, 0xFFFFFF, 0x808080, clNone, clNone, false, clBlack, bsModern};
    case TColorStyle::csBlue:
        return ColorPreset{0xFF8000, 0xFFFF00, 0xFF0000, clNone, clNone, false, clBlack, bsModern};
    case TColorStyle::csRed:
        return ColorPreset{0x0000FF, 0xC0C0FF, 0x0000C0, clNone, clNone, false, clBlack, bsModern};
    case TColorStyle::csUltraFlat1:
        return ColorPreset{clBtnFace, 0xB59284, 0xB59284, 0xB59284,
                           0xDED3D6,  true,     clBlack,  bsNormal};
    case TColorStyle::csUltraFlat2:
        return ColorPreset{clBtnFace, 0x000000, 0x000000, 0x24DABC,
                           0x8CF6E4,  true,     clBlack,  bsNormal};
    case TColorStyle::csUltraFlatXP:
        return ColorPreset{0xD1D8DB, 0xB59284, 0xB59285, 0xB59285,
                           0xD2BDB6, true,     clBlack,  bsNormal};
    case TColorStyle::csAqua:
        return ColorPreset{0xECCE94, 0xFCE6D4, 0x000000, clNone, clNone, false, clBlack, bsModern};
    case TColorStyle::csDefault:
        return ColorPreset{clBtnFace, 0xFFFFFF, 0x808080, clNone, clNone, false, clBlack, bsNormal};
    case TColorStyle::csQuicken:
        return ColorPreset{0x603000, 0xC0C0C0, 0xC0C0C0, 0xAD6529,
                           0xCEAE9C, false,    clWhite,  bsQuicken};
    }
    return std::nullopt;
}

QColor buttonFaceColor(const QColor &color, const QColor &hot, const QColor &whenDown,
                       int fadeLevel, bool enabled, bool down)
{
    if (!enabled)
        return color;
    if (down && whenDown.isValid())
        return whenDown;
    if (!hot.isValid())
        return color;
    return mix(color, hot, double(fadeLevel) / kFadeLevels);
}

QList<GradientBand> gradientBands(const QColor &a, const QColor &b, int left, int right, int y0,
                                  int y1)
{
    const int last = kGradientBands - 1;
    const int span = y1 - y0;
    const int height = span / last + 1;
    QList<GradientBand> bands;
    bands.reserve(kGradientBands);
    for (int i = 0; i < kGradientBands; ++i) {
        const int top = y0 + i * span / last;
        const int bottom = std::min(top + height, y1);
        bands.append({QRect(left, top, right - left, std::max(bottom - top, 0)),
                      mix(a, b, double(i) / last)});
    }
    return bands;
}
