#pragma once

#include "controls/Alignment.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <functional>

// Where a coloured speed button puts its caption and its glyph. All sizes in
// pixels; divisions truncate toward zero.

enum class TColorSpeedButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The width the caption may take: W - 8, or W - glyph width - 12 beside a glyph
// standing left or right of it; never below 0.
int captionWidthLimit(int buttonWidth, int glyphWidth, TColorSpeedButtonLayout layout);

// The caption shortened at its end, one character at a time, until its width
// fits into limit.
QString cutCaption(const QString &caption, int limit,
                   const std::function<int(const QString &)> &textWidth);

struct ButtonLayoutInput
{
    QSize size;            // W, H
    int pressOffset = 0;   // p
    QSize glyph;           // empty: no glyph
    int captionWidth = 0;  // width of the (cut) caption text, 0 without a caption
    int captionHeight = 0; // h: height of the text block, word-wrapped at the limit
    TColorSpeedButtonLayout layout = TColorSpeedButtonLayout::blGlyphLeft;
    TAlignment alignment = TAlignment::taLeftJustify;
    bool wordWrap = false;
};

struct ButtonLayoutResult
{
    QRect caption; // the rectangle the caption text is laid out in
    QPoint glyph;  // top-left corner of the glyph image
};

// Placement for every style but bsShape.
ButtonLayoutResult layoutButton(const ButtonLayoutInput &in);

// Placement for bsShape: the glyph centred without press offset, the caption
// centred in the rest of the button from (p, (H - h) div 2 + p).
ButtonLayoutResult layoutShapeButton(const ButtonLayoutInput &in);

// Which image of a glyph strip shows: 0 normal, 1 disabled, 2 down, 3 hot.
// Down wins over hot; a strip without the wanted image shows image 0.
int glyphIndex(int numGlyphs, bool enabled, bool down, bool hot);

// Image `index` of a strip of numGlyphs equally wide images, with every pixel
// of the image's bottom-left colour made transparent. Null when there is none.
QImage glyphImage(const QImage &strip, int numGlyphs, int index);
