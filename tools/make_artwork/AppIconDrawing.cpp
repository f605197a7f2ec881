#include "AppIconDrawing.h"

#include "ui/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

// Drawn on a 256 x 256 grid and scaled; strokes that would vanish at the
// small sizes keep a least width in real pixels.
constexpr qreal kGrid = 256;
constexpr QPointF kCentre(128, 146);
constexpr qreal kCase = 102;
// Small icons get a broader case, so the metal still reads as a ring.
constexpr qreal kFace = 82;
constexpr qreal kSmallFace = 70;
// The sweep runs clockwise from twelve o'clock to the hand.
constexpr qreal kSweepDegrees = 130;

class IconPainter
{
public:
    explicit IconPainter(QImage &image)
        : m_painter(&image)
        , m_scale(image.width() / kGrid)
    {
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.scale(m_scale, m_scale);
    }

    // A width on the grid, but never thinner than the given real pixels.
    qreal width(qreal grid, qreal pixels) const { return std::max(grid, pixels / m_scale); }
    bool detailed() const { return m_scale * kGrid >= 32; }
    qreal face() const { return detailed() ? kFace : kSmallFace; }
    QPainter &painter() { return m_painter; }

private:
    QPainter m_painter;
    qreal m_scale;
};

QPointF onCircle(qreal radius, qreal clockDegrees)
{
    const qreal radians = qDegreesToRadians(clockDegrees);
    return kCentre + QPointF(radius * std::sin(radians), -radius * std::cos(radians));
}

void drawButtons(IconPainter &icon)
{
    QPainter &p = icon.painter();
    const QColor edge(0x2a, 0x2e, 0x34);
    p.setPen(QPen(edge, icon.width(5, 1)));
    // Stem and crown on top.
    QLinearGradient metal(100, 0, 156, 0);
    metal.setColorAt(0, QColor(0x9a, 0xa2, 0xac));
    metal.setColorAt(0.4, QColor(0xf4, 0xf6, 0xf8));
    metal.setColorAt(1, QColor(0x6a, 0x72, 0x7c));
    p.setBrush(metal);
    if (!icon.detailed()) {
        // A bold crown, or it blurs into the case.
        p.drawRect(QRectF(108, 26, 40, 24));
        p.drawRoundedRect(QRectF(88, 0, 80, 34), 8, 8);
        return;
    }
    p.drawRect(QRectF(114, 22, 28, 26));
    p.drawRoundedRect(QRectF(94, 6, 68, 24), 8, 8);
    // The lap button at half past one.
    p.save();
    p.translate(onCircle(kCase + 4, 42));
    p.rotate(42);
    p.drawRoundedRect(QRectF(-14, -16, 28, 22), 5, 5);
    p.restore();
}

void drawCase(IconPainter &icon)
{
    QPainter &p = icon.painter();
    QLinearGradient metal(kCentre - QPointF(kCase, kCase), kCentre + QPointF(kCase, kCase));
    metal.setColorAt(0, QColor(0xf2, 0xf4, 0xf7));
    metal.setColorAt(0.5, QColor(0xb4, 0xbb, 0xc4));
    metal.setColorAt(1, QColor(0x5c, 0x64, 0x6e));
    p.setPen(QPen(QColor(0x2a, 0x2e, 0x34), icon.width(5, 1)));
    p.setBrush(metal);
    p.drawEllipse(kCentre, kCase, kCase);

    const qreal face = icon.face();
    QRadialGradient glass(kCentre - QPointF(28, 34), face * 1.3);
    glass.setColorAt(0, QColor(0x3a, 0x40, 0x4a));
    glass.setColorAt(1, QColor(0x08, 0x0a, 0x0d));
    p.setPen(QPen(QColor(0x1a, 0x1d, 0x22), icon.width(3, 0.5)));
    p.setBrush(glass);
    p.drawEllipse(kCentre, face, face);
}

void drawSweep(IconPainter &icon)
{
    QPainter &p = icon.painter();
    const qreal radius = icon.face() - 8;
    QPainterPath sweep(kCentre);
    // QPainter counts counter-clockwise from three o'clock.
    sweep.arcTo(QRectF(kCentre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), 90,
                -kSweepDegrees);
    sweep.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2c, 0xc8, 0x3c, 190));
    p.drawPath(sweep);
}

void drawTicks(IconPainter &icon)
{
    if (!icon.detailed())
        return;
    QPainter &p = icon.painter();
    for (int i = 0; i < 12; ++i) {
        const bool quarter = i % 3 == 0;
        p.setPen(QPen(QColor(0xe8, 0xec, 0xf0), icon.width(quarter ? 8 : 5, 1), Qt::SolidLine,
                      Qt::FlatCap));
        p.drawLine(onCircle(kFace - (quarter ? 22 : 14), i * 30), onCircle(kFace - 4, i * 30));
    }
}

void drawHand(IconPainter &icon)
{
    QPainter &p = icon.painter();
    const QColor red(0xe8, 0x22, 0x1c);
    p.setPen(QPen(red, icon.width(10, 1.6), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(onCircle(18, kSweepDegrees + 180), onCircle(icon.face() - 10, kSweepDegrees));
    p.setPen(QPen(QColor(0x7a, 0x0e, 0x0a), icon.width(3, 0.5)));
    p.setBrush(red);
    const qreal hub = icon.width(13, 1.5);
    p.drawEllipse(kCentre, hub, hub);
}

} // namespace

QImage drawAppIcon(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    IconPainter icon(image);
    drawButtons(icon);
    drawCase(icon);
    drawSweep(icon);
    drawTicks(icon);
    drawHand(icon);
    return image;
}

QImage appIconSheet(const QDir &dir)
{
    constexpr int gap = 12;
    const QColor backgrounds[] = {QColor(0xa0, 0xa0, 0xa0), Qt::white, QColor(0x20, 0x20, 0x20)};
    int width = gap;
    for (const int size : AppIcon::kSizes)
        width += size + gap;
    const int largest = AppIcon::kSizes[std::size(AppIcon::kSizes) - 1];
    QImage sheet(width, gap + std::size(backgrounds) * (largest + gap), QImage::Format_RGB32);
    sheet.fill(QColor(0x60, 0x60, 0x60));
    QPainter painter(&sheet);
    int y = gap;
    for (const QColor &background : backgrounds) {
        int x = gap;
        for (const int size : AppIcon::kSizes) {
            const QImage image(dir.filePath(AppIcon::themePath(size)));
            painter.fillRect(QRect(x, y, size, size), background);
            painter.drawImage(x, y, image);
            x += size + gap;
        }
        y += largest + gap;
    }
    return sheet;
}
