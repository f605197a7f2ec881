#include "ui/Artwork.h"

#include <QGuiApplication>

namespace Artwork {

namespace {

struct Entry
{
    const char *name;
    QSize size;
    int images;
};

// The header buttons are 38 x 40, the protocol buttons 36 x 39: their glyph
// images leave a few pixels of the face around them.
constexpr int kHeaderGlyph = 32;
constexpr int kProtocolGlyph = 30;

Entry entry(Picture picture)
{
    switch (picture) {
    case Picture::FrameTop:
        return {"frame_top", {393, 21}, 1};
    case Picture::FrameLeft:
        return {"frame_left", {19, 281}, 1};
    case Picture::FrameRight:
        return {"frame_right", {19, 281}, 1};
    case Picture::FrameBottom:
        return {"frame_bottom", {393, 34}, 1};
    case Picture::HelpGlyphs:
        return {"glyphs_help", {4 * kHeaderGlyph, kHeaderGlyph}, 4};
    case Picture::CfgGlyphs:
        return {"glyphs_cfg", {4 * kHeaderGlyph, kHeaderGlyph}, 4};
    case Picture::InfoGlyphs:
        return {"glyphs_info", {4 * kHeaderGlyph, kHeaderGlyph}, 4};
    case Picture::SaveGlyphs:
        return {"glyphs_save", {2 * kProtocolGlyph, kProtocolGlyph}, 2};
    case Picture::LoadGlyphs:
        return {"glyphs_load", {2 * kProtocolGlyph, kProtocolGlyph}, 2};
    case Picture::ExcelGlyphs:
        return {"glyphs_excel", {2 * kProtocolGlyph, kProtocolGlyph}, 2};
    case Picture::InetGlyphs:
        return {"glyphs_inet", {2 * kProtocolGlyph, kProtocolGlyph}, 2};
    case Picture::PrintGlyphs:
        return {"glyphs_print", {2 * kProtocolGlyph, kProtocolGlyph}, 2};
    case Picture::ClsGlyphs:
        return {"glyphs_cls", {2 * kProtocolGlyph, kProtocolGlyph}, 2};
    case Picture::WordGlyphs:
        return {"glyphs_word", {2 * kProtocolGlyph, kProtocolGlyph}, 2};
    case Picture::TVAus:
        return {"tv_aus", {90, 20}, 1};
    case Picture::TVEin:
        return {"tv_ein", {90, 20}, 1};
    case Picture::LockBlocked:
        return {"lock_blocked", {22, 22}, 1};
    case Picture::LockArmed:
        return {"lock_armed", {22, 22}, 1};
    }
    return {"", {}, 0};
}

} // namespace

QString baseName(Picture picture)
{
    return QLatin1String(entry(picture).name);
}

QSize size(Picture picture)
{
    return entry(picture).size;
}

int imageCount(Picture picture)
{
    return entry(picture).images;
}

QString fileName(Picture picture, int scale)
{
    const QString suffix = scale > 1 ? QStringLiteral("@%1x").arg(scale) : QString();
    return baseName(picture) + suffix + QStringLiteral(".png");
}

QString resourcePath(Picture picture, int scale)
{
    return QStringLiteral(":/artwork/") + fileName(picture, scale);
}

QImage image(Picture picture, qreal devicePixelRatio)
{
    const int scale = devicePixelRatio > 1.0 ? 2 : 1;
    QImage result(resourcePath(picture, scale));
    result.setDevicePixelRatio(scale);
    return result;
}

QImage image(Picture picture)
{
    return image(picture, qGuiApp->devicePixelRatio());
}

QPixmap pixmap(Picture picture)
{
    return QPixmap::fromImage(image(picture));
}

Picture lockPicture(int flag)
{
    return flag == 0 ? Picture::LockBlocked : Picture::LockArmed;
}

} // namespace Artwork
