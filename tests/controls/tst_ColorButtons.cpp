#include "controls/ButtonLayout.h"
#include "controls/ColorButtons.h"

#include <QTest>

Q_DECLARE_METATYPE(ButtonLayoutInput)

// The pure parts of the coloured speed button: presets, face colour, gradient
// bands, caption cutting, placement and glyph choice.
class TestColorButtons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void presets()
    {
        QVERIFY(!colorPreset(TColorStyle::csCustom));

        const ColorPreset gold = *colorPreset(TColorStyle::csGold);
        QCOMPARE(gold.color, TColor(0x00C0C0));
        QCOMPARE(gold.hotTrackColor, TColor(0x00DFDF));
        QCOMPARE(gold.colorWhenDown, clNone);
        QCOMPARE(gold.style, TColorSpeedButtonStyle::bsModern);

        const ColorPreset quicken = *colorPreset(TColorStyle::csQuicken);
        QCOMPARE(quicken.color, TColor(0x603000));
        QCOMPARE(quicken.colorWhenDown, TColor(0xAD6529));
        QCOMPARE(quicken.fontColor, clWhite);
        QCOMPARE(quicken.style, TColorSpeedButtonStyle::bsQuicken);

        const ColorPreset xp = *colorPreset(TColorStyle::csUltraFlatXP);
        QCOMPARE(xp.lightColor, TColor(0xB59284)); // light and shadow differ by one
        QCOMPARE(xp.shadowColor, TColor(0xB59285));
        QVERIFY(xp.flat);
        QCOMPARE(colorPreset(TColorStyle::csDefault)->color, clBtnFace);
    }

    void faceColourBlendsByFadeLevel_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("hot");
        QTest::addColumn<int>("level");
        QTest::addColumn<QColor>("face");
        const QColor red(255, 0, 0);
        const QColor pink(255, 176, 176);
        QTest::newRow("level 0") << red << pink << 0 << red;
        QTest::newRow("level 1") << red << pink << 1 << QColor(255, 22, 22);
        QTest::newRow("level 4") << red << pink << 4 << QColor(255, 88, 88);
        QTest::newRow("level 8") << red << pink << 8 << pink;
        QTest::newRow("rounds up") << QColor(0, 0, 0) << QColor(0, 255, 0) << 3 << QColor(0, 96, 0);
        QTest::newRow("rounds down")
            << QColor(0, 0, 0) << QColor(0, 255, 0) << 5 << QColor(0, 159, 0);
        QTest::newRow("no hot colour") << red << QColor() << 8 << red;
    }

    void faceColourBlendsByFadeLevel()
    {
        QFETCH(QColor, color);
        QFETCH(QColor, hot);
        QFETCH(int, level);
        QFETCH(QColor, face);
        QCOMPARE(buttonFaceColor(color, hot, QColor(), level, true, false), face);
    }

    void faceColourWhenDownOrDisabled()
    {
        const QColor green(0, 128, 0);
        const QColor hot(0, 192, 0);
        const QColor down(128, 255, 128);
        QCOMPARE(buttonFaceColor(green, hot, down, 8, true, true), down);
        QCOMPARE(buttonFaceColor(green, hot, QColor(), 8, true, true), hot); // keeps the face
        QCOMPARE(buttonFaceColor(green, hot, down, 8, false, false), green); // no hot effect
        QCOMPARE(buttonFaceColor(green, hot, down, 8, false, true), green);  // never down
    }

    void gradientBandsOfTheStartButton()
    {
        // The upper gradient of a 110 x 40 bsModern button, light green to green.
        const QColor light(192, 255, 192);
        const QColor face(0, 128, 0);
        const QList<GradientBand> upper = gradientBands(light, face, 2, 108, 2, 10);
        QCOMPARE(upper.size(), kGradientBands);
        QCOMPARE(upper[0], (GradientBand{QRect(2, 2, 106, 1), light}));
        QCOMPARE(upper[15], (GradientBand{QRect(2, 5, 106, 1), QColor(99, 194, 99)}));
        QCOMPARE(upper[31].color, face);
        QVERIFY(upper[31].rect.isEmpty()); // stops short of row 10

        const QList<GradientBand> lower = gradientBands(face, light, 2, 108, 10, 39);
        QCOMPARE(lower[30], (GradientBand{QRect(2, 38, 106, 1), QColor(186, 251, 186)}));
    }

    void gradientBandsOverlapButStopAtTheEnd()
    {
        const QList<GradientBand> bands =
            gradientBands(QColor(0, 0, 0), QColor(255, 255, 255), 0, 10, 0, 93);
        QCOMPARE(bands[0].rect, QRect(0, 0, 10, 4));
        QCOMPARE(bands[1].rect, QRect(0, 3, 10, 4));
        QCOMPARE(bands[30].rect, QRect(0, 90, 10, 3));
        QVERIFY(bands[31].rect.isEmpty());
        QCOMPARE(bands[31].color, QColor(255, 255, 255));
    }

    void captionIsCutAtItsEnd()
    {
        const auto tenEach = [](const QString &text) { return 10 * int(text.size()); };
        QCOMPARE(cutCaption(QStringLiteral("Messung"), 45, tenEach), QStringLiteral("Mess"));
        QCOMPARE(cutCaption(QStringLiteral("Messung"), 70, tenEach), QStringLiteral("Messung"));
        QCOMPARE(cutCaption(QStringLiteral("Messung"), 0, tenEach), QString());
        QCOMPARE(cutCaption(QString(), 0, tenEach), QString());

        using enum TColorSpeedButtonLayout;
        QCOMPARE(captionWidthLimit(110, 0, blGlyphLeft), 102);
        QCOMPARE(captionWidthLimit(100, 16, blGlyphLeft), 72);
        QCOMPARE(captionWidthLimit(100, 16, blGlyphRight), 72);
        QCOMPARE(captionWidthLimit(100, 16, blGlyphTop), 92);
        QCOMPARE(captionWidthLimit(20, 16, blGlyphLeft), 0);
    }

    void placement_data()
    {
        QTest::addColumn<ButtonLayoutInput>("in");
        QTest::addColumn<QRect>("caption");
        QTest::addColumn<QPoint>("glyph");
        using enum TAlignment;
        using enum TColorSpeedButtonLayout;

        ButtonLayoutInput command{QSize(110, 40), 0, QSize(), 62, 22, blGlyphLeft, taCenter, false};
        QTest::newRow("command button") << command << QRect(4, 9, 102, 22) << QPoint(55, 20);
        command.pressOffset = 1;
        QTest::newRow("command button down") << command << QRect(5, 10, 102, 22) << QPoint(56, 21);

        const ButtonLayoutInput left{QSize(100, 23), 0,        QSize(16, 16), 40, 13,
                                     blGlyphLeft,    taCenter, false};
        QTest::newRow("glyph left, centred") << left << QRect(24, 5, 72, 13) << QPoint(20, 3);
        ButtonLayoutInput leftJustified = left;
        leftJustified.alignment = taLeftJustify;
        QTest::newRow("glyph left, left") << leftJustified << QRect(24, 5, 72, 13) << QPoint(4, 3);
        ButtonLayoutInput leftRight = left;
        leftRight.alignment = taRightJustify;
        QTest::newRow("glyph left, right") << leftRight << QRect(24, 5, 72, 13) << QPoint(36, 3);

        ButtonLayoutInput right = left;
        right.layout = blGlyphRight;
        right.alignment = taRightJustify;
        right.pressOffset = 1;
        QTest::newRow("glyph right, right, down") << right << QRect(5, 6, 72, 13) << QPoint(81, 4);
        right.alignment = taLeftJustify;
        QTest::newRow("glyph right, left, down") << right << QRect(5, 6, 72, 13) << QPoint(49, 4);
        right.wordWrap = true;
        right.alignment = taCenter; // word wrap places the glyph as for left alignment
        QTest::newRow("glyph right, wrapped") << right << QRect(5, 6, 72, 13) << QPoint(49, 4);

        ButtonLayoutInput top = left;
        top.layout = blGlyphTop;
        QTest::newRow("glyph on top") << top << QRect(4, 11, 92, 13) << QPoint(42, -5);
        top.layout = blGlyphBottom;
        top.size = QSize(100, 60);
        top.alignment = taRightJustify;
        QTest::newRow("glyph below") << top << QRect(4, 13, 92, 13) << QPoint(80, 26);
    }

    void placement()
    {
        QFETCH(ButtonLayoutInput, in);
        QFETCH(QRect, caption);
        QFETCH(QPoint, glyph);
        const ButtonLayoutResult out = layoutButton(in);
        QCOMPARE(out.caption, caption);
        if (!in.glyph.isEmpty())
            QCOMPARE(out.glyph, glyph);
    }

    void shapePlacementHasNoPressOffsetForTheGlyph()
    {
        const ButtonLayoutInput in{
            QSize(38, 40),        1,    QSize(32, 32), 0, 13, TColorSpeedButtonLayout::blGlyphLeft,
            TAlignment::taCenter, false};
        const ButtonLayoutResult out = layoutShapeButton(in);
        QCOMPARE(out.glyph, QPoint(3, 4));
        QCOMPARE(out.caption, QRect(QPoint(1, 14), QPoint(37, 39)));
    }

    void glyphChoice_data()
    {
        QTest::addColumn<int>("numGlyphs");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("hot");
        QTest::addColumn<int>("index");
        QTest::newRow("normal") << 4 << true << false << false << 0;
        QTest::newRow("hot") << 4 << true << false << true << 3;
        QTest::newRow("down") << 4 << true << true << false << 2;
        QTest::newRow("down wins over hot") << 4 << true << true << true << 2;
        QTest::newRow("disabled") << 4 << false << true << true << 1;
        QTest::newRow("hot, three images") << 3 << true << false << true << 0;
        QTest::newRow("down, three images") << 3 << true << true << false << 2;
        QTest::newRow("down, two images") << 2 << true << true << false << 0;
        QTest::newRow("disabled, two images") << 2 << false << false << false << 1;
        QTest::newRow("disabled, one image") << 1 << false << false << false << 0;
    }

    void glyphChoice()
    {
        QFETCH(int, numGlyphs);
        QFETCH(bool, enabled);
        QFETCH(bool, down);
        QFETCH(bool, hot);
        QFETCH(int, index);
        QCOMPARE(glyphIndex(numGlyphs, enabled, down, hot), index);
    }

    void glyphImageCutFromTheStrip()
    {
        QImage strip(30, 10, QImage::Format_RGB32);
        strip.fill(Qt::white);
        for (int i = 0; i < 3; ++i)
            strip.setPixel(i * 10 + 4, 4, qRgb(0, 0, 50 * (i + 1)));

        const QImage second = glyphImage(strip, 3, 1);
        QCOMPARE(second.size(), QSize(10, 10));
        QCOMPARE(second.pixel(4, 4), qRgb(0, 0, 100));
        QCOMPARE(qAlpha(second.pixel(0, 9)), 0); // bottom-left colour is transparent
        QCOMPARE(qAlpha(second.pixel(9, 0)), 0);
        QVERIFY(glyphImage(strip, 3, 3).isNull());
        QVERIFY(glyphImage(strip, 0, 0).isNull());
        QVERIFY(glyphImage(QImage(), 1, 0).isNull());
    }
};

QTEST_MAIN(TestColorButtons)
#include "tst_ColorButtons.moc"
