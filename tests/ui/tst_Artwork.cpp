#include "controls/ButtonLayout.h"
#include "controls/ColorSpeedButton.h"
#include "ui/Artwork.h"

#include <QtTest>

using Artwork::Picture;

class tst_Artwork : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureAtBothScales();
    void glyphStripsWorkWithTheBottomLeftTransparency();
    void imageFollowsThePixelRatio();
    void lockPictures();
    void highDpiGlyphsKeepTheirSizeOnAButton();
};

void tst_Artwork::everyPictureAtBothScales()
{
    const QSize documented[] = {
        {393, 21}, {19, 281}, {19, 281}, {393, 34}, {128, 32}, {128, 32},
        {128, 32}, {60, 30},  {60, 30},  {60, 30},  {60, 30},  {60, 30},
        {60, 30},  {60, 30},  {90, 20},  {90, 20},  {22, 22},  {22, 22},
    };
    QCOMPARE(std::size(documented), std::size(Artwork::kAllPictures));
    int i = 0;
    for (const Picture picture : Artwork::kAllPictures) {
        const QString name = Artwork::baseName(picture);
        const QSize size = documented[i++];
        QCOMPARE(Artwork::size(picture), size);
        const QImage one(Artwork::resourcePath(picture));
        const QImage two(Artwork::resourcePath(picture, 2));
        QVERIFY2(!one.isNull(), qPrintable(name));
        QVERIFY2(!two.isNull(), qPrintable(name));
        QCOMPARE(one.size(), size);
        QCOMPARE(two.size(), size * 2);
    }
}

// A glyph strip's images are square and as many as imageCount; each image's
// bottom-left pixel is transparent, so the button's bottom-left colour rule
// removes nothing that is drawn, and the images differ from one another.
void tst_Artwork::glyphStripsWorkWithTheBottomLeftTransparency()
{
    for (const Picture picture : Artwork::kAllPictures) {
        const int count = Artwork::imageCount(picture);
        if (count < 2)
            continue;
        for (const int scale : {1, 2}) {
            const QImage strip(Artwork::resourcePath(picture, scale));
            QCOMPARE(strip.width() / strip.height(), count);
            const int cell = strip.height();
            QList<QImage> images;
            for (int i = 0; i < count; ++i) {
                const QImage image = strip.copy(i * cell, 0, cell, cell);
                QCOMPARE(qAlpha(image.pixel(0, cell - 1)), 0);
                // Mostly drawn, not empty.
                int opaque = 0;
                for (int y = 0; y < cell; ++y)
                    for (int x = 0; x < cell; ++x)
                        opaque += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
                QVERIFY2(opaque > cell * cell / 4, qPrintable(Artwork::baseName(picture)));
                for (const QImage &other : std::as_const(images))
                    QVERIFY(other != image);
                images.append(image);
            }
            // The disabled image is grey.
            const QImage disabled = images.at(1).convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < cell; ++y) {
                for (int x = 0; x < cell; ++x) {
                    const QColor c = QColor::fromRgba(disabled.pixel(x, y));
                    if (c.alpha() > 0)
                        QVERIFY(qAbs(c.red() - c.blue()) <= 2 && qAbs(c.red() - c.green()) <= 2);
                }
            }
        }
    }
}

void tst_Artwork::imageFollowsThePixelRatio()
{
    const QImage normal = Artwork::image(Picture::TVAus, 1.0);
    QCOMPARE(normal.size(), QSize(90, 20));
    QCOMPARE(normal.devicePixelRatio(), 1.0);
    const QImage sharp = Artwork::image(Picture::TVAus, 1.5);
    QCOMPARE(sharp.size(), QSize(180, 40));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(sharp.deviceIndependentSize(), QSizeF(90, 20));
    QCOMPARE(Artwork::lockPicture(0), Picture::LockBlocked);
    QCOMPARE(Artwork::lockPicture(1), Picture::LockArmed);
}

// Blocked: a red disc with a white horizontal bar. Armed: a green disc with
// a white cross. Checked at the centre, on the arms and on the disc between them.
void tst_Artwork::lockPictures()
{
    const auto isWhite = [](QColor c) {
        return c.alpha() == 255 && c.red() > 240 && c.green() > 240 && c.blue() > 240;
    };
    const auto isRed = [](QColor c) {
        return c.alpha() == 255 && c.red() > 150 && c.red() > c.green() + 80 &&
               c.red() > c.blue() + 80;
    };
    const auto isGreen = [](QColor c) {
        return c.alpha() == 255 && c.green() > 120 && c.green() > c.red() + 50 &&
               c.green() > c.blue() + 50;
    };
    for (const int scale : {1, 2}) {
        const QImage blocked(Artwork::resourcePath(Picture::LockBlocked, scale));
        const QImage armed(Artwork::resourcePath(Picture::LockArmed, scale));
        const auto at = [scale](const QImage &image, int x, int y) {
            return QColor::fromRgba(image.pixel(x * scale, y * scale));
        };
        // Centre and the bar's ends: white in both.
        for (const QPoint p : {QPoint(11, 11), QPoint(6, 11), QPoint(16, 11)}) {
            QVERIFY(isWhite(at(blocked, p.x(), p.y())));
            QVERIFY(isWhite(at(armed, p.x(), p.y())));
        }
        // Above and below the centre: the cross's upright, the blocked disc.
        for (const QPoint p : {QPoint(11, 6), QPoint(11, 16)}) {
            QVERIFY(isRed(at(blocked, p.x(), p.y())));
            QVERIFY(isWhite(at(armed, p.x(), p.y())));
        }
        // Diagonally off the centre: the disc colour.
        for (const QPoint p : {QPoint(6, 6), QPoint(16, 16), QPoint(6, 16), QPoint(16, 6)}) {
            QVERIFY(isRed(at(blocked, p.x(), p.y())));
            QVERIFY(isGreen(at(armed, p.x(), p.y())));
        }
        // Outside the disc: transparent.
        QCOMPARE(at(blocked, 0, 0).alpha(), 0);
        QCOMPARE(at(armed, 0, 0).alpha(), 0);
    }
}

// The header buttons get the 2x strip on a high-dpi screen: the image must
// still take 32 x 32 device-independent pixels, centred on the 38 x 40 button.
void tst_Artwork::highDpiGlyphsKeepTheirSizeOnAButton()
{
    const QImage strip = Artwork::image(Picture::HelpGlyphs, 2.0);
    QCOMPARE(glyphImage(strip, 4, 3).deviceIndependentSize(), QSizeF(32, 32));

    TColorSpeedButton button;
    button.resize(38, 40);
    button.setStyle(TColorSpeedButtonStyle::bsShape);
    button.setGlyph(strip);
    QCOMPARE(button.numGlyphs(), 4);
    QImage shot(button.size() * 2, QImage::Format_ARGB32_Premultiplied);
    shot.setDevicePixelRatio(2);
    shot.fill(Qt::transparent);
    button.render(&shot, QPoint(), QRegion(), QWidget::RenderFlags());
    QRect painted;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (qAlpha(shot.pixel(x, y)) > 0)
                painted |= QRect(x, y, 1, 1);
    // (38 - 32) / 2 = 3 and (40 - 32) / 2 = 4, in device pixels twice that.
    QVERIFY(!painted.isEmpty());
    QVERIFY2(QRect(6, 8, 64, 64).contains(painted), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                   .arg(painted.x())
                                                                   .arg(painted.y())
                                                                   .arg(painted.width())
                                                                   .arg(painted.height())));
    QVERIFY(painted.width() > 48);
}

QTEST_MAIN(tst_Artwork)
#include "tst_Artwork.moc"
