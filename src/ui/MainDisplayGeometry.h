#pragma once

#include <QRect>

// The main window's display side as designed: the frame of strips around the
// black display panel, and where the panel's digits, separators and start
// numbers sit (relative to the panel), with the fonts and thickness they use.
// The second-monitor display is a scaled copy of the panel, so both read these
// values.
namespace MainDisplay {

struct DesignRect
{
    const char *name; // object name of the control
    QRect rect;
};

// Width the second display is scaled from: the inner width of the display
// frame, between its left side strip and its right one.
inline constexpr int kImage4Left = 374;
inline constexpr int kImage2Width = 19;
inline constexpr int kFrameInnerWidth = kImage4Left - kImage2Width;

// Relative to the display side: the strips on top, left, right and bottom
// (the side strips are stretched), and the black panel they frame.
inline constexpr QRect kFrameTop{0, 0, 393, 21};
inline constexpr QRect kFrameLeft{0, 21, kImage2Width, 281};
inline constexpr QRect kFrameRight{kImage4Left, 21, kImage2Width, 281};
inline constexpr QRect kFrameBottom{0, 302, 393, 34};
inline constexpr QRect kDisplayPanel{18, 19, 357, 283};
// The second-monitor switches, on the bottom strip.
inline constexpr QRect kTVSwitch{132, 309, 90, 20};

// Start number (lime) and next number (red) spin fields.
inline constexpr QRect kStartNumber{91, 6, 72, 39};
inline constexpr QRect kNextNumber{273, 6, 72, 39};
inline constexpr int kTime2CaptionTop = 155;
inline constexpr int kTypeSpeedLeft = 141;

inline constexpr int kDigitThickness = 5;
inline constexpr int kDigitSeparation = 1;
// "Zwischenzeit:" caption: Arial 19 pixels = 14 points.
inline constexpr int kCaptionPointSize = 14;
// The "." and "," separators: Times New Roman 64 pixels = 48 points, bold.
inline constexpr int kSeparatorPointSize = 48;

inline constexpr int kUpperRowTop = 56;
inline constexpr int kLowerRowTop = 184;
inline constexpr int kDigitWidth = 50;
inline constexpr int kDigitHeight = 89;

struct DesignDigit
{
    const char *name;
    QRect rect;
    bool leading; // a leading digit, lit in the dim colour until a time shows
};

inline constexpr DesignDigit kDigits[] = {
    {"Digit0", {236, kLowerRowTop, kDigitWidth, kDigitHeight}, false},
    {"Digit1", {20, kLowerRowTop, kDigitWidth, kDigitHeight}, true},
    {"Digit2", {84, kLowerRowTop, kDigitWidth, kDigitHeight}, true},
    {"Digit3", {148, kLowerRowTop, kDigitWidth, kDigitHeight}, false},
    {"Digit10", {300, kLowerRowTop, kDigitWidth, kDigitHeight}, false},
    {"Digit4", {4, kUpperRowTop, kDigitWidth, kDigitHeight}, true},
    {"Digit5", {84, kUpperRowTop, kDigitWidth, kDigitHeight}, true},
    {"Digit6", {148, kUpperRowTop, kDigitWidth, kDigitHeight}, false},
    {"Digit7", {236, kUpperRowTop, kDigitWidth, kDigitHeight}, false},
    {"Digit8", {300, kUpperRowTop, kDigitWidth, kDigitHeight}, false},
};

// Each separator's top lies 73/100 of its height above its row's bottom, so
// the glyph's baseline meets the digits' lower edge.
// LabMin first: the others take their top from it.
inline constexpr DesignRect kSeparators[] = {
    {"LabMin", {60, 86, 16, 81}},
    {"LabSec", {204, 86, 16, 81}},
    {"LabSec2", {204, 214, 16, 81}},
};

} // namespace MainDisplay
