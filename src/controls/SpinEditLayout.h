#pragma once

#include <QRect>
#include <QSize>

// Where an edit field's up/down button pair sits and how low the field may be.

inline constexpr int kSpinButtonWidth = 15;
inline constexpr int kSpinButtonCreatedHeight = 17;
// The thin border line of the window system (one pixel).
inline constexpr int kSystemBorderHeight = 1;

// Lowest height at which text of `fontHeight` still fits with its border.
constexpr int SpinEditMinimumHeight(int fontHeight, int systemFontHeight,
                                    int borderHeight = kSystemBorderHeight)
{
    return 4 * borderHeight + fontHeight +
           (fontHeight < systemFontHeight ? fontHeight : systemFontHeight) / 4 + 2;
}

// The button pair inside a field of outer size `size`. With a sunken frame of
// `frameWidth` the pair stands inside the frame, one pixel off its right and
// bottom edges; without a frame it runs flush right.
constexpr QRect SpinButtonRect(QSize size, int frameWidth, bool framed)
{
    if (!framed)
        return {size.width() - kSpinButtonWidth, 1, kSpinButtonWidth, size.height() - 3};
    const int clientHeight = size.height() - 2 * frameWidth;
    return {size.width() - frameWidth - 1 - kSpinButtonWidth, frameWidth, kSpinButtonWidth,
            clientHeight - 1};
}

// Space kept free right of the text so that it never runs under the buttons.
inline constexpr int kSpinTextRightMargin = kSpinButtonWidth + 2;
