#include "controls/ButtonLayout.h"

#include <algorithm>

namespace {

bool glyphBeside(TColorSpeedButtonLayout layout)
{
    return layout == TColorSpeedButtonLayout::blGlyphLeft ||
           layout == TColorSpeedButtonLayout::blGlyphRight;
}

} // namespace

int captionWidthLimit(int buttonWidth, int glyphWidth, TColorSpeedButtonLayout layout)
{
    const int limit =
        glyphWidth > 0 && glyphBeside(layout) ? buttonWidth - glyphWidth - 12 : buttonWidth - 8;
    return std::max(limit, 0);
}

QString cutCaption(const QString &caption, int limit,
                   const std::function<int(const QString &)> &textWidth)
{
    QString text = caption;
    while (!text.isEmpty() && textWidth(text) > limit)
        text.chop(1);
    return text;
}

ButtonLayoutResult layoutButton(const ButtonLayoutInput &in)
{
    using enum TAlignment;
    using enum TColorSpeedButtonLayout;

    const int w = in.size.width();
    const int h = in.size.height();
    const int p = in.pressOffset;
    const bool hasGlyph = !in.glyph.isEmpty();
    const int gw = hasGlyph ? in.glyph.width() : 0;
    const int gh = hasGlyph ? in.glyph.height() : 0;
    const int limit = captionWidthLimit(w, gw, in.layout);
    const TAlignment alignment = in.wordWrap ? taLeftJustify : in.alignment;

    ButtonLayoutResult out;
    if (glyphBeside(in.layout)) {
        int captionLeft = p + 4;
        if (hasGlyph && in.layout == blGlyphLeft)
            captionLeft += gw + 4;
        out.caption = QRect(captionLeft, (h - in.captionHeight) / 2 + p, limit, in.captionHeight);

        const int c = in.captionWidth > 0 ? in.captionWidth + 4 : 0;
        int glyphLeft = 0;
        if (in.layout == blGlyphLeft) {
            switch (alignment) {
            case taLeftJustify:
                glyphLeft = p + 4;
                break;
            case taRightJustify:
                glyphLeft = w + p - gw - c - 4;
                break;
            case taCenter:
                glyphLeft = (w - gw) / 2 + p - c / 2;
                break;
            }
        } else {
            switch (alignment) {
            case taLeftJustify:
                glyphLeft = captionLeft + c;
                break;
            case taRightJustify:
                glyphLeft = w + p - gw - 4;
                break;
            case taCenter:
                glyphLeft = (w - gw) / 2 + p + c / 2;
                break;
            }
        }
        out.glyph = QPoint(glyphLeft, (h - gh) / 2 + p);
        return out;
    }

    const int block = in.captionHeight + (hasGlyph ? gh + 4 : 0);
    const int j = (h - block) / 2;
    int captionTop = j + p;
    int glyphTop = j + p;
    if (in.layout == blGlyphTop)
        captionTop = j + gh + p;
    else
        glyphTop = j + in.captionHeight + p;

    int glyphLeft = 0;
    switch (alignment) {
    case taLeftJustify:
        glyphLeft = p + 4;
        break;
    case taRightJustify:
        glyphLeft = w + p - gw - 4;
        break;
    case taCenter:
        glyphLeft = (w - gw) / 2 + p;
        break;
    }
    out.caption = QRect(p + 4, captionTop, limit, in.captionHeight);
    out.glyph = QPoint(glyphLeft, glyphTop);
    return out;
}

ButtonLayoutResult layoutShapeButton(const ButtonLayoutInput &in)
{
    const int w = in.size.width();
    const int h = in.size.height();
    const int p = in.pressOffset;
    const int top = (h - in.captionHeight) / 2 + p;
    return {QRect(QPoint(p, top), QPoint(w - 1, h - 1)),
            QPoint((w - in.glyph.width()) / 2, (h - in.glyph.height()) / 2)};
}

int glyphIndex(int numGlyphs, bool enabled, bool down, bool hot)
{
    int wanted = 0;
    if (!enabled)
        wanted = 1;
    else if (down && numGlyphs > 2)
        wanted = 2;
    else if (hot && numGlyphs > 3)
        wanted = 3;
    return wanted < numGlyphs ? wanted : 0;
}

QImage glyphImage(const QImage &strip, int numGlyphs, int index)
{
    if (strip.isNull() || numGlyphs <= 0 || index < 0 || index >= numGlyphs)
        return {};
    const int width = strip.width() / numGlyphs;
    if (width <= 0)
        return {};
    QImage image =
        strip.copy(index * width, 0, width, strip.height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::replace(line, line + image.width(), transparent, QRgb(0));
    }
    return image;
}
