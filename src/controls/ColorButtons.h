#pragma once

#include "controls/Colors.h"

#include <QColor>
#include <QList>
#include <QRect>

#include <optional>

enum class TColorSpeedButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };

enum class TColorStyle {
    csCustom,
    csGold,
    csChrome,
    csBlue,
    csRed,
    csUltraFlat1,
    csUltraFlat2,
    csUltraFlatXP,
    csAqua,
    csDefault,
    csQuicken,
};

// The colours and style a colour preset gives a button.
struct ColorPreset
{
    TColor color;
    TColor lightColor;
    TColor shadowColor;
    TColor colorWhenDown;
    TColor hotTrackColor;
    bool flat;
    TColor fontColor;
    TColorSpeedButtonStyle style;
};

// Nothing for csCustom, which leaves a button as it is.
std::optional<ColorPreset> colorPreset(TColorStyle style);

// The fade level runs from kFadeLevels (fully hot) down to 0 in steps of
// kFadeStepMs, so the hot colour fades out over about a quarter of a second.
inline constexpr int kFadeLevels = 8;
inline constexpr int kFadeStepMs = 30;

// The face colour of a button: Color blended towards the hot colour by the
// fade level while enabled (hot may be invalid: no hot colour), replaced by the
// down colour (may be invalid: keep the face) while down. A disabled button is
// never drawn down.
QColor buttonFaceColor(const QColor &color, const QColor &hot, const QColor &whenDown,
                       int fadeLevel, bool enabled, bool down);

struct GradientBand
{
    QRect rect;
    QColor color;

    bool operator==(const GradientBand &) const = default;
};

// A vertical gradient from colour a at row y0 to colour b at row y1 between the
// columns left (inclusive) and right (exclusive), as 32 solid bands; a later
// band paints over an earlier one where they overlap, and none reaches row y1.
inline constexpr int kGradientBands = 32;
QList<GradientBand> gradientBands(const QColor &a, const QColor &b, int left, int right, int y0,
                                  int y1);
