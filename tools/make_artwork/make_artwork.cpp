// Draws the main window's pictures and writes them as PNG files at 1x and 2x
// (name.png, name@2x.png). The output is committed under resources/artwork/.
//   QT_QPA_PLATFORM=offscreen make_artwork resources/artwork [--sheet sheet.png]
//       [--icons resources/icons] [--icon-sheet icons.png]
// --sheet also writes a contact sheet of every picture at both scales on grey
// and on white, for looking at them. --icons writes the program icon in every
// size in the icon theme's layout, --icon-sheet shows those files.

#include "AppIconDrawing.h"
#include "ui/AppIcon.h"
#include "ui/Artwork.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <functional>

namespace {

using Artwork::Picture;
using DrawFn = std::function<void(QPainter &)>;

// --- Canvas and pixel helpers -------------------------------------------

QImage blank(QSize logical, int scale)
{
    QImage image(logical * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage render(QSize logical, int scale, const DrawFn &draw)
{
    QImage image = blank(logical, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    draw(painter);
    return image;
}

// Applies fn to every pixel's straight (not premultiplied) colour.
QImage mapPixels(const QImage &source, const std::function<QColor(QColor)> &fn)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            line[x] = fn(QColor::fromRgba(line[x])).rgba();
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The disabled look: a flat, light grey copy.
QImage greyed(const QImage &image)
{
    return mapPixels(image, [](QColor c) {
        const int grey = 85 + qGray(c.rgb()) * 45 / 100;
        return QColor(grey, grey, grey, c.alpha() * 85 / 100);
    });
}

QImage lightened(const QImage &image)
{
    return mapPixels(image, [](QColor c) {
        const auto up = [](int v) { return v + (255 - v) * 22 / 100; };
        return QColor(up(c.red()), up(c.green()), up(c.blue()), c.alpha());
    });
}

QImage darkened(const QImage &image)
{
    return mapPixels(image, [](QColor c) {
        return QColor(c.red() * 85 / 100, c.green() * 85 / 100, c.blue() * 85 / 100, c.alpha());
    });
}

// A strip of glyph images side by side: normal, disabled[, down, hot].
QImage glyphStrip(int cell, int count, int scale, const DrawFn &draw)
{
    const QSize cellSize(cell, cell);
    const QImage normal = render(cellSize, scale, draw);
    QImage images[4] = {normal, greyed(normal), {}, {}};
    if (count == 4) {
        // Pressed: one pixel down and right, a little darker.
        images[2] = darkened(render(cellSize, scale, [&](QPainter &p) {
            p.translate(1, 1);
            draw(p);
        }));
        images[3] = lightened(normal);
    }
    QImage strip = blank(QSize(cell * count, cell), scale);
    QPainter painter(&strip);
    for (int i = 0; i < count; ++i)
        painter.drawImage(i * cell * scale, 0, images[i]);
    return strip;
}

// --- Drawing parts ------------------------------------------------------

QLinearGradient vertical(qreal y0, qreal y1, const QColor &top, const QColor &bottom)
{
    QLinearGradient gradient(0, y0, 0, y1);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

QFont arialBold(qreal pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qRound(pixels));
    font.setBold(true);
    return font;
}

// A sheet of paper with a folded top-right corner.
void drawPage(QPainter &p, const QRectF &r, qreal fold = 6)
{
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(QColor(0x55, 0x5f, 0x6b), 1));
    p.setBrush(vertical(r.top(), r.bottom(), Qt::white, QColor(0xe4, 0xe9, 0xef)));
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    p.setBrush(QColor(0xcc, 0xd3, 0xdc));
    p.drawPath(corner);
}

void drawTextLines(QPainter &p, qreal x0, qreal x1, qreal y0, int count, qreal step,
                   const QColor &color)
{
    p.setPen(QPen(color, 1));
    for (int i = 0; i < count; ++i) {
        const qreal end = i == count - 1 ? x0 + (x1 - x0) * 0.6 : x1;
        p.drawLine(QPointF(x0, y0 + i * step), QPointF(end, y0 + i * step));
    }
}

void drawBall(QPainter &p, const QPointF &centre, qreal radius, const QColor &light,
              const QColor &dark)
{
    QRadialGradient gradient(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.3);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(160), 1));
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
}

// --- Header glyphs (32 x 32) ---------------------------------------------

void drawHelp(QPainter &p)
{
    // Page block behind the cover.
    p.setPen(QPen(QColor(0x8a, 0x7a, 0x58), 1));
    p.setBrush(QColor(0xfb, 0xf4, 0xde));
    p.drawRoundedRect(QRectF(8.5, 5.5, 20, 23), 1.5, 1.5);
    p.setPen(QPen(QColor(0xd6, 0xc9, 0xa6), 1));
    for (qreal x = 26.5; x > 25; x -= 1.5)
        p.drawLine(QPointF(x, 8), QPointF(x, 27));
    // Cover and spine.
    p.setPen(QPen(QColor(0x12, 0x2c, 0x66), 1));
    p.setBrush(vertical(3, 27, QColor(0x4a, 0x86, 0xe0), QColor(0x1b, 0x44, 0x98)));
    p.drawRoundedRect(QRectF(4.5, 3.5, 20, 23), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x2e, 0x70));
    p.drawRect(QRectF(5, 4, 3, 22));
    // Question mark.
    p.setFont(arialBold(19));
    p.setPen(QColor(0x1a, 0x1a, 0x1a, 110));
    p.drawText(QRectF(9, 5, 16, 21), Qt::AlignCenter, QStringLiteral("?"));
    p.setPen(QColor(0xff, 0xe9, 0x5c));
    p.drawText(QRectF(8, 4, 16, 21), Qt::AlignCenter, QStringLiteral("?"));
}

void drawToolBox(QPainter &p)
{
    // Handle.
    p.setPen(QPen(QColor(0x3c, 0x3f, 0x44), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(10.5, 4.5, 11, 9), 3, 3);
    // Body and lid.
    p.setPen(QPen(QColor(0x6a, 0x0c, 0x06), 1));
    p.setBrush(vertical(10, 28, QColor(0xf2, 0x4b, 0x38), QColor(0x9c, 0x14, 0x0c)));
    p.drawRoundedRect(QRectF(3.5, 10.5, 25, 17), 2, 2);
    p.setPen(QPen(QColor(0x6a, 0x0c, 0x06), 1));
    p.drawLine(QPointF(4, 15.5), QPointF(28, 15.5));
    p.setPen(QPen(QColor(0xff, 0x9a, 0x88), 1));
    p.drawLine(QPointF(5, 11.5), QPointF(27, 11.5));
    // Latch.
    p.setPen(QPen(QColor(0x50, 0x54, 0x5a), 1));
    p.setBrush(vertical(13, 19, QColor(0xf0, 0xf2, 0xf4), QColor(0x9a, 0xa0, 0xa8)));
    p.drawRoundedRect(QRectF(13.5, 13.5, 5, 5), 1, 1);
}

void drawSpeechBubble(QPainter &p)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2.5, 3.5, 27, 20), 7, 7);
    QPainterPath tail;
    tail.moveTo(8, 21);
    tail.lineTo(5.5, 29.5);
    tail.lineTo(15, 22);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    p.setPen(QPen(QColor(0x1f, 0x4f, 0x9e), 1.5));
    p.setBrush(vertical(3, 29, Qt::white, QColor(0xd3, 0xe3, 0xf7)));
    p.drawPath(bubble);
    // The letter i.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x56, 0xb0));
    p.drawEllipse(QPointF(16, 8.5), 2.2, 2.2);
    p.drawRoundedRect(QRectF(14, 12, 4, 9), 1, 1);
    p.drawRect(QRectF(12.5, 12, 3, 1.8));
    p.drawRect(QRectF(12.5, 19.5, 7, 1.8));
}

// --- Protocol glyphs (30 x 30) --------------------------------------------

void drawSave(QPainter &p)
{
    drawPage(p, QRectF(11.5, 1.5, 16, 20), 5);
    drawTextLines(p, 14, 25, 9.5, 4, 3, QColor(0x8a, 0x96, 0xa4));
    // Floppy disk with its shutter and label.
    QPainterPath disk;
    disk.moveTo(2.5, 10.5);
    disk.lineTo(18.5, 10.5);
    disk.lineTo(21.5, 13.5);
    disk.lineTo(21.5, 28.5);
    disk.lineTo(2.5, 28.5);
    disk.closeSubpath();
    p.setPen(QPen(QColor(0x10, 0x22, 0x48), 1));
    p.setBrush(vertical(10, 29, QColor(0x3f, 0x68, 0xb8), QColor(0x1c, 0x38, 0x78)));
    p.drawPath(disk);
    p.setPen(QPen(QColor(0x55, 0x5b, 0x63), 1));
    p.setBrush(vertical(10, 17, QColor(0xf0, 0xf2, 0xf5), QColor(0xa8, 0xae, 0xb6)));
    p.drawRect(QRectF(6.5, 10.5, 10, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x2e, 0x34));
    p.drawRect(QRectF(12, 12, 2.5, 3.5));
    p.setPen(QPen(QColor(0x9a, 0xa4, 0xb0), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 20.5, 13, 8));
    drawTextLines(p, 7, 17, 23.5, 2, 2.5, QColor(0x9a, 0xa4, 0xb0));
}

void drawProtocolPage(QPainter &p)
{
    drawPage(p, QRectF(3.5, 1.5, 23, 27));
    p.setFont(arialBold(6));
    p.setPen(QColor(0x1c, 0x3c, 0x7c));
    const QString parts[] = {QStringLiteral("PRO-"), QStringLiteral("TO-"), QStringLiteral("KOLL")};
    for (int i = 0; i < 3; ++i)
        p.drawText(QRectF(4, 6 + i * 7, 22, 7), Qt::AlignCenter, parts[i]);
}

void drawSpreadsheet(QPainter &p)
{
    drawPage(p, QRectF(4.5, 1.5, 21, 27));
    const QRectF grid(7.5, 8.5, 15, 17);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x8b, 0x3e));
    p.drawRect(QRectF(grid.left(), grid.top(), grid.width(), 4));
    p.setBrush(QColor(0xd7, 0xee, 0xd9));
    p.drawRect(QRectF(grid.left(), grid.top() + 4, 5, grid.height() - 4));
    p.setPen(QPen(QColor(0x4f, 0x94, 0x5a), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(grid);
    for (qreal x : {12.5, 17.5})
        p.drawLine(QPointF(x, grid.top()), QPointF(x, grid.bottom()));
    for (qreal y : {12.5, 16.5, 20.5})
        p.drawLine(QPointF(grid.left(), y), QPointF(grid.right(), y));
}

void drawBrowser(QPainter &p)
{
    const QPointF centre(15, 15);
    const qreal r = 12.5;
    QRadialGradient sea(centre - QPointF(4, 5), 17);
    sea.setColorAt(0, QColor(0x8f, 0xd0, 0xff));
    sea.setColorAt(1, QColor(0x17, 0x55, 0xb4));
    p.setPen(Qt::NoPen);
    p.setBrush(sea);
    p.drawEllipse(centre, r, r);
    // Land, clipped to the globe.
    QPainterPath globe;
    globe.addEllipse(centre, r, r);
    p.save();
    p.setClipPath(globe);
    p.setBrush(QColor(0x3c, 0xa5, 0x3c));
    QPainterPath land;
    land.moveTo(6, 7);
    land.cubicTo(11, 4, 15, 8, 13, 12);
    land.cubicTo(11, 16, 14, 19, 11, 24);
    land.cubicTo(7, 22, 4, 16, 6, 7);
    land.moveTo(18, 15);
    land.cubicTo(22, 13, 27, 15, 26, 20);
    land.cubicTo(24, 25, 19, 24, 18, 15);
    p.drawPath(land);
    // Meridians and parallels.
    p.setPen(QPen(QColor(255, 255, 255, 170), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 5.5, r);
    p.drawLine(QPointF(15, 2), QPointF(15, 28));
    for (qreal y : {8.5, 15.0, 21.5})
        p.drawLine(QPointF(2, y), QPointF(28, y));
    p.restore();
    p.setPen(QPen(QColor(0x0c, 0x32, 0x70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r, r);
}

void drawPrinter(QPainter &p)
{
    // Paper going in.
    p.setPen(QPen(QColor(0x6a, 0x72, 0x7c), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 2.5, 13, 10));
    drawTextLines(p, 10.5, 19.5, 5.5, 2, 2.5, QColor(0xa0, 0xa8, 0xb2));
    // Body.
    p.setPen(QPen(QColor(0x3c, 0x42, 0x4a), 1));
    p.setBrush(vertical(10, 23, QColor(0xe4, 0xe7, 0xeb), QColor(0x80, 0x87, 0x90)));
    p.drawRoundedRect(QRectF(2.5, 10.5, 25, 12), 2.5, 2.5);
    p.setPen(QPen(QColor(0x2a, 0x2e, 0x34), 1.5));
    p.drawLine(QPointF(7, 18.5), QPointF(23, 18.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0xd0, 0x40));
    p.drawEllipse(QPointF(23.5, 14), 1.3, 1.3);
    // Printed sheet coming out.
    p.setPen(QPen(QColor(0x6a, 0x72, 0x7c), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 18.5, 15, 9));
    drawTextLines(p, 9.5, 20.5, 21.5, 2, 3, QColor(0x50, 0x58, 0x62));
}

void drawBurningPage(QPainter &p)
{
    drawPage(p, QRectF(6.5, 1.5, 17, 23), 5);
    drawTextLines(p, 9, 20, 8.5, 4, 3, QColor(0x8a, 0x96, 0xa4));
    // Flames licking up from the bottom.
    QPainterPath flame;
    flame.moveTo(4, 29);
    flame.cubicTo(2, 24, 6, 21, 7, 16);
    flame.cubicTo(9, 19, 10, 20, 11, 22);
    flame.cubicTo(11, 17, 13, 13, 15, 10);
    flame.cubicTo(16, 15, 19, 17, 19, 21);
    flame.cubicTo(20, 19, 21, 17, 23, 15);
    flame.cubicTo(25, 20, 28, 24, 26, 29);
    flame.closeSubpath();
    QLinearGradient fire(0, 10, 0, 29);
    fire.setColorAt(0, QColor(0xff, 0xe0, 0x40));
    fire.setColorAt(0.55, QColor(0xff, 0x8c, 0x1a));
    fire.setColorAt(1, QColor(0xd8, 0x2a, 0x08));
    p.setPen(QPen(QColor(0xa8, 0x28, 0x04), 1));
    p.setBrush(fire);
    p.drawPath(flame);
    QPainterPath core;
    core.moveTo(9, 29);
    core.cubicTo(8, 25, 11, 23, 12, 20);
    core.cubicTo(14, 23, 15, 24, 16, 21);
    core.cubicTo(18, 24, 21, 26, 20, 29);
    core.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf2, 0x9a));
    p.drawPath(core);
}

void drawWordPage(QPainter &p)
{
    drawPage(p, QRectF(4.5, 1.5, 21, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x5c, 0xaa));
    p.drawRect(QRectF(7.5, 6.5, 12, 3));
    drawTextLines(p, 7.5, 22.5, 12.5, 5, 3, QColor(0x4a, 0x55, 0x62));
}

// --- Second-monitor switches (90 x 20) -------------------------------------

DrawFn tvSwitch(const QColor &ballLight, const QColor &ballDark, const QString &word)
{
    return [=](QPainter &p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(vertical(0, 20, QColor(0x4a, 0x4e, 0x55), QColor(0x12, 0x14, 0x17)));
        p.drawRoundedRect(QRectF(0.5, 0.5, 89, 19), 4, 4);
        p.setPen(QPen(QColor(0x7a, 0x80, 0x88), 1));
        p.drawLine(QPointF(4, 1.5), QPointF(86, 1.5));
        // "TV" on a small screen outline.
        p.setPen(QPen(QColor(0x9a, 0xa0, 0xa8), 1));
        p.setBrush(QColor(0x08, 0x0a, 0x0c));
        p.drawRoundedRect(QRectF(6.5, 3.5, 27, 13), 2, 2);
        p.setFont(arialBold(11));
        p.setPen(QColor(0xe4, 0xe6, 0xe8));
        p.drawText(QRectF(6.5, 3.5, 27, 13), Qt::AlignCenter, QStringLiteral("TV"));
        drawBall(p, QPointF(46, 10), 6, ballLight, ballDark);
        p.setFont(arialBold(12));
        p.setPen(QColor(0xe4, 0xe6, 0xe8));
        p.drawText(QRectF(55, 0, 32, 20), Qt::AlignCenter, word);
    };
}

// --- Barrier locks (22 x 22) -----------------------------------------------

DrawFn lock(const QColor &light, const QColor &dark, bool cross)
{
    return [=](QPainter &p) {
        drawBall(p, QPointF(11, 11), 10, light, dark);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(4.5, 8.5, 13, 5), 1, 1);
        if (cross)
            p.drawRoundedRect(QRectF(8.5, 4.5, 5, 13), 1, 1);
    };
}

// --- Display frame ---------------------------------------------------------

// The frame is drawn whole, 393 x 336 around the display opening, and cut
// into its four strips, so the mitred corners meet cleanly.
constexpr QRect kFrame(0, 0, 393, 336);
constexpr QRect kOpening(19, 21, 355, 281);

void drawFrame(QPainter &p)
{
    const QPointF o0 = kFrame.topLeft(), o1(kFrame.right() + 1, 0),
                  o2(kFrame.right() + 1, kFrame.bottom() + 1), o3(0, kFrame.bottom() + 1);
    const QPointF i0 = kOpening.topLeft(), i1(kOpening.right() + 1, kOpening.top()),
                  i2(kOpening.right() + 1, kOpening.bottom() + 1),
                  i3(kOpening.left(), kOpening.bottom() + 1);
    const auto band = [&](std::initializer_list<QPointF> corners, const QBrush &brush) {
        p.setPen(Qt::NoPen);
        p.setBrush(brush);
        p.drawPolygon(QPolygonF(QList<QPointF>(corners)));
    };
    // Lit from the top left: the top and left slopes bright, right and bottom dark.
    QLinearGradient top(0, 0, 0, i0.y());
    top.setColorAt(0, QColor(0x8c, 0x92, 0x9a));
    top.setColorAt(0.15, QColor(0x64, 0x69, 0x71));
    top.setColorAt(1, QColor(0x3a, 0x3e, 0x44));
    band({o0, o1, i1, i0}, top);
    QLinearGradient left(0, 0, i0.x(), 0);
    left.setColorAt(0, QColor(0x78, 0x7e, 0x86));
    left.setColorAt(1, QColor(0x40, 0x44, 0x4a));
    band({o0, i0, i3, o3}, left);
    QLinearGradient right(i1.x(), 0, o1.x(), 0);
    right.setColorAt(0, QColor(0x30, 0x33, 0x38));
    right.setColorAt(1, QColor(0x1c, 0x1e, 0x21));
    band({o1, o2, i2, i1}, right);
    QLinearGradient bottom(0, i3.y(), 0, o3.y());
    bottom.setColorAt(0, QColor(0x3c, 0x40, 0x46));
    bottom.setColorAt(1, QColor(0x1e, 0x20, 0x23));
    band({i3, i2, o2, o3}, bottom);

    // Mitres, outer rim and the groove around the display.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(o0 + QPointF(0.5, 0.5), i0);
    p.drawLine(o3 + QPointF(0.5, -0.5), i3);
    p.setPen(QPen(QColor(0, 0, 0, 70), 1));
    p.drawLine(o1 + QPointF(-0.5, 0.5), i1);
    p.drawLine(o2 + QPointF(-0.5, -0.5), i2);
    p.setPen(QPen(QColor(0xb4, 0xba, 0xc2), 1));
    p.drawLine(QPointF(0.5, kFrame.bottom() + 0.5), QPointF(0.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(kFrame.right() + 0.5, 0.5));
    p.setPen(QPen(QColor(0x0c, 0x0d, 0x0f), 1));
    p.drawLine(QPointF(kFrame.right() + 0.5, 0.5),
               QPointF(kFrame.right() + 0.5, kFrame.bottom() + 0.5));
    p.drawLine(QPointF(0.5, kFrame.bottom() + 0.5),
               QPointF(kFrame.right() + 0.5, kFrame.bottom() + 0.5));
    const QRectF groove = QRectF(kOpening).adjusted(-1.5, -1.5, 1.5, 1.5);
    p.setPen(QPen(QColor(0x10, 0x11, 0x13), 1));
    p.drawLine(groove.bottomLeft(), groove.topLeft());
    p.drawLine(groove.topLeft(), groove.topRight());
    p.setPen(QPen(QColor(0x8a, 0x90, 0x98), 1));
    p.drawLine(groove.topRight(), groove.bottomRight());
    p.drawLine(groove.bottomRight(), groove.bottomLeft());

    // The maker's wordmark at the right end of the bottom strip.
    QFont font = arialBold(15);
    font.setItalic(true);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const QString first = QStringLiteral("Kor");
    const QString rest = QStringLiteral("vel");
    const qreal width = metrics.horizontalAdvance(first + rest);
    const qreal baseline =
        i3.y() + 1 + (o3.y() - i3.y() - 1 + metrics.ascent() - metrics.descent()) / 2;
    const qreal x = o2.x() - 14 - width;
    p.setPen(Qt::black);
    p.drawText(QPointF(x + 1, baseline + 1), first + rest);
    p.setPen(QColor(0xe8, 0x22, 0x1c));
    p.drawText(QPointF(x, baseline), first);
    p.setPen(QColor(0x2c, 0xc8, 0x3c));
    p.drawText(QPointF(x + metrics.horizontalAdvance(first), baseline), rest);
}

QRect frameStrip(Picture picture)
{
    switch (picture) {
    case Picture::FrameTop:
        return {0, 0, kFrame.width(), kOpening.top()};
    case Picture::FrameLeft:
        return {0, kOpening.top(), kOpening.left(), kOpening.height()};
    case Picture::FrameRight:
        return {kOpening.right() + 1, kOpening.top(), kFrame.right() - kOpening.right(),
                kOpening.height()};
    case Picture::FrameBottom:
        return {0, kOpening.bottom() + 1, kFrame.width(), kFrame.bottom() - kOpening.bottom()};
    default:
        return {};
    }
}

// --- Pictures -------------------------------------------------------------

DrawFn glyphDrawing(Picture picture)
{
    switch (picture) {
    case Picture::HelpGlyphs:
        return drawHelp;
    case Picture::CfgGlyphs:
        return drawToolBox;
    case Picture::InfoGlyphs:
        return drawSpeechBubble;
    case Picture::SaveGlyphs:
        return drawSave;
    case Picture::LoadGlyphs:
        return drawProtocolPage;
    case Picture::ExcelGlyphs:
        return drawSpreadsheet;
    case Picture::InetGlyphs:
        return drawBrowser;
    case Picture::PrintGlyphs:
        return drawPrinter;
    case Picture::ClsGlyphs:
        return drawBurningPage;
    case Picture::WordGlyphs:
        return drawWordPage;
    case Picture::TVAus:
        return tvSwitch(QColor(0xff, 0x8a, 0x7a), QColor(0xc0, 0x10, 0x08), QStringLiteral("Aus"));
    case Picture::TVEin:
        return tvSwitch(QColor(0xa8, 0xff, 0x9a), QColor(0x10, 0x98, 0x20), QStringLiteral("Ein"));
    case Picture::LockBlocked:
        return lock(QColor(0xff, 0x7a, 0x6a), QColor(0xc8, 0x12, 0x0a), false);
    case Picture::LockArmed:
        return lock(QColor(0x8a, 0xf0, 0x7a), QColor(0x12, 0x98, 0x22), true);
    default:
        return {};
    }
}

QImage makePicture(Picture picture, int scale)
{
    const QRect strip = frameStrip(picture);
    if (!strip.isNull())
        return render(kFrame.size(), scale, drawFrame)
            .copy(QRect(strip.topLeft() * scale, strip.size() * scale));
    const int count = Artwork::imageCount(picture);
    const QSize size = Artwork::size(picture);
    if (count > 1)
        return glyphStrip(size.height(), count, scale, glyphDrawing(picture));
    return render(size, scale, glyphDrawing(picture));
}

// Every picture at 1x and 2x, on grey and on white, one row each.
QImage contactSheet(const QDir &dir)
{
    constexpr int gap = 12;
    const QColor backgrounds[] = {QColor(0xa0, 0xa0, 0xa0), Qt::white};
    int width = 0;
    int height = gap;
    for (const Picture picture : Artwork::kAllPictures) {
        const QSize s = Artwork::size(picture);
        width = std::max(width, gap + 3 * (s.width() + gap) * 2);
        height += 2 * s.height() + gap;
    }
    height += 2 * kFrame.height() + gap;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x60, 0x60, 0x60));
    QPainter painter(&sheet);
    // The frame put together around a black display, as the main window does.
    int y = gap;
    for (const int scale : {1, 2}) {
        const QPoint origin(gap + (scale - 1) * (kFrame.width() + gap), y);
        painter.fillRect(QRect(origin + kOpening.topLeft() * scale, kOpening.size() * scale),
                         Qt::black);
        for (const Picture picture :
             {Picture::FrameTop, Picture::FrameLeft, Picture::FrameRight, Picture::FrameBottom}) {
            const QImage image(dir.filePath(Artwork::fileName(picture, scale)));
            painter.drawImage(QRect(origin + frameStrip(picture).topLeft() * scale,
                                    frameStrip(picture).size() * scale),
                              image);
        }
    }
    y += 2 * kFrame.height() + gap;
    for (const Picture picture : Artwork::kAllPictures) {
        const QSize s = Artwork::size(picture);
        int x = gap;
        for (const QColor &background : backgrounds) {
            for (const int scale : {1, 2}) {
                QImage image(dir.filePath(Artwork::fileName(picture, scale)));
                image.setDevicePixelRatio(1); // show the 2x file pixel for pixel
                painter.fillRect(QRect(QPoint(x, y), image.size()), background);
                painter.drawImage(x, y, image);
                x += image.width() + gap;
            }
        }
        y += 2 * s.height() + gap;
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the main window's pictures."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("dir"),
                                 QStringLiteral("Folder for the PNG files."));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("Also write a contact sheet."),
                                         QStringLiteral("file"));
    parser.addOption(sheetOption);
    const QCommandLineOption iconsOption(QStringLiteral("icons"),
                                         QStringLiteral("Also write the program icon."),
                                         QStringLiteral("dir"));
    parser.addOption(iconsOption);
    const QCommandLineOption iconSheetOption(QStringLiteral("icon-sheet"),
                                             QStringLiteral("Also show the icons on a sheet."),
                                             QStringLiteral("file"));
    parser.addOption(iconSheetOption);
    parser.process(app);

    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << "make_artwork: give the output folder\n";
        return 2;
    }
    const QDir dir(parser.positionalArguments().constFirst());
    if (!dir.mkpath(QStringLiteral("."))) {
        err << "make_artwork: cannot create " << dir.path() << "\n";
        return 1;
    }
    for (const Picture picture : Artwork::kAllPictures) {
        for (const int scale : {1, 2}) {
            const QString file = dir.filePath(Artwork::fileName(picture, scale));
            if (!makePicture(picture, scale).save(file, "PNG")) {
                err << "make_artwork: cannot write " << file << "\n";
                return 1;
            }
        }
    }
    if (parser.isSet(sheetOption) && !contactSheet(dir).save(parser.value(sheetOption), "PNG")) {
        err << "make_artwork: cannot write " << parser.value(sheetOption) << "\n";
        return 1;
    }
    if (!parser.isSet(iconsOption))
        return 0;
    const QDir icons(parser.value(iconsOption));
    for (const int size : AppIcon::kSizes) {
        const QString file = icons.filePath(AppIcon::themePath(size));
        if (!QDir().mkpath(QFileInfo(file).path()) || !drawAppIcon(size).save(file, "PNG")) {
            err << "make_artwork: cannot write " << file << "\n";
            return 1;
        }
    }
    if (parser.isSet(iconSheetOption) &&
        !appIconSheet(icons).save(parser.value(iconSheetOption), "PNG")) {
        err << "make_artwork: cannot write " << parser.value(iconSheetOption) << "\n";
        return 1;
    }
    return 0;
}
