#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// The main window's pictures, drawn by tools/make_artwork and compiled in as
// resources at 1x and 2x. Callers name a picture; they never spell its path.
namespace Artwork {

enum class Picture {
    // Frame strips around the black display; the side strips are stretched.
    FrameTop,
    FrameLeft,
    FrameRight,
    FrameBottom,
    // Header button glyph strips: normal, disabled, down, hot.
    HelpGlyphs,
    CfgGlyphs,
    InfoGlyphs,
    // Protocol button glyph strips: normal, disabled (greyed).
    SaveGlyphs,
    LoadGlyphs,
    ExcelGlyphs,
    InetGlyphs,
    PrintGlyphs,
    ClsGlyphs,
    WordGlyphs,
    // Second-monitor switches.
    TVAus,
    TVEin,
    // Barrier locks, in the order of the lock flag: 0 blocked, 1 armed.
    LockBlocked,
    LockArmed,
};

inline constexpr Picture kAllPictures[] = {
    Picture::FrameTop,    Picture::FrameLeft,   Picture::FrameRight, Picture::FrameBottom,
    Picture::HelpGlyphs,  Picture::CfgGlyphs,   Picture::InfoGlyphs, Picture::SaveGlyphs,
    Picture::LoadGlyphs,  Picture::ExcelGlyphs, Picture::InetGlyphs, Picture::PrintGlyphs,
    Picture::ClsGlyphs,   Picture::WordGlyphs,  Picture::TVAus,      Picture::TVEin,
    Picture::LockBlocked, Picture::LockArmed,
};

// File name without extension, e.g. "glyphs_help".
QString baseName(Picture picture);
// Size in device-independent pixels (a glyph strip: all its images side by side).
QSize size(Picture picture);
// Images side by side in the picture: 4 for header glyphs, 2 for protocol
// glyphs, 1 for everything else.
int imageCount(Picture picture);
// "<name>.png", or "<name>@2x.png" for scale 2.
QString fileName(Picture picture, int scale = 1);
// ":/artwork/" followed by the file name.
QString resourcePath(Picture picture, int scale = 1);

// The picture for a screen of the given pixel ratio: the 2x file when the
// ratio is above 1, carrying that ratio so it paints at size(picture).
QImage image(Picture picture, qreal devicePixelRatio);
// As image(), for the application's pixel ratio.
QImage image(Picture picture);
QPixmap pixmap(Picture picture);

// The lock picture for a lock flag (0 blocked, 1 armed).
Picture lockPicture(int flag);

} // namespace Artwork
