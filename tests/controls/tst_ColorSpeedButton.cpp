#include "controls/ColorSpeedButton.h"

#include "PaintCounting.h"

#include <QEnterEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

// The main window's START button.
void makeStartButton(TColorSpeedButton &button)
{
    button.resize(110, 40);
    button.setCaption(QStringLiteral("START"));
    button.setAlignment(TAlignment::taCenter);
    button.setStyle(TColorSpeedButtonStyle::bsModern);
    button.setColor(clGreen);
    button.setColorWhenDown(0x80FF80);
    button.setHotTrackColor(0x00C000);
    button.setLightColor(0xC0FFC0);
    button.setShadowColor(0x00C000);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(19);
    button.setFont(font);
    button.setFontColor(clWhite);
    font.setPixelSize(21);
    button.setHotTrackFont(font);
    button.setHotTrackFontColor(clYellow);
    button.setUseHotTrackFont(true);
}

// The button alone on a transparent image, so unpainted corners stay transparent.
QImage render(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

QRgb rgb(const QImage &image, int x, int y)
{
    return image.pixel(x, y);
}

// Bounding box of the pixels that match.
QRect pixelsWhere(const QImage &image, const std::function<bool(QRgb)> &match)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (match(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// Caption pixels fully covered by the text, whatever the face below.
bool white(QRgb c)
{
    return c == qRgb(255, 255, 255);
}

bool yellow(QRgb c)
{
    return c == qRgb(255, 255, 0);
}

bool grey(QRgb c)
{
    return c == qRgb(128, 128, 128);
}

void enter(QWidget &widget)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), widget.mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(&widget, &event);
}

void leave(QWidget &widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

class TestColorSpeedButton : public QObject
{
    Q_OBJECT

private:
    QWidget *m_window = nullptr;

    template <typename Button = TColorSpeedButton> Button *shownButton()
    {
        auto *button = new Button(m_window);
        button->show();
        return button;
    }

private Q_SLOTS:
    void init()
    {
        m_window = new QWidget;
        m_window->resize(300, 200);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        // Keep the mouse off the buttons (all at the top-left) until a test moves it.
        QTest::mouseMove(m_window, QPoint(250, 150));
    }

    void cleanup()
    {
        delete m_window;
        m_window = nullptr;
    }

    void constructionValues()
    {
        const TColorSpeedButton button;
        QCOMPARE(button.size(), QSize(100, 23));
        QCOMPARE(button.alignment(), TAlignment::taLeftJustify);
        QCOMPARE(button.colorWhenDown(), clNone);
        QCOMPARE(button.hotTrackColor(), clNone);
        QCOMPARE(button.lightColor(), clWhite);
        QCOMPARE(button.shadowColor(), clBlack);
        QCOMPARE(button.style(), TColorSpeedButtonStyle::bsNormal);
        QCOMPARE(button.colorStyle(), TColorStyle::csCustom);
        QCOMPARE(button.numGlyphs(), 0);
        QVERIFY(!button.isDown() && !button.slowDecease() && !button.isHot());
    }

    void modernGradientRows()
    {
        TColorSpeedButton &button = *shownButton();
        makeStartButton(button);
        const QImage image = render(button);
        // Where bands overlap the last one shows: bands 0 to 3 all start at row 2.
        QCOMPARE(rgb(image, 5, 2), qRgb(173, 243, 173));  // band 3 of light to face
        QCOMPARE(rgb(image, 5, 5), qRgb(99, 194, 99));    // band 15
        QCOMPARE(rgb(image, 5, 10), qRgb(6, 132, 6));     // band 1 of face to light, at H div 4
        QCOMPARE(rgb(image, 5, 37), qRgb(180, 247, 180)); // band 29
        QCOMPARE(rgb(image, 5, 38), qRgb(0, 128, 0));     // inner outline in the face colour
        QCOMPARE(rgb(image, 1, 20), qRgb(0, 128, 0));
        QCOMPARE(rgb(image, 0, 20), qRgb(0, 192, 0)); // rounded outline in ShadowColor
        QCOMPARE(rgb(image, 50, 0), qRgb(0, 192, 0));
        QCOMPARE(rgb(image, 1, 1), qRgb(0, 192, 0));
        QCOMPARE(qAlpha(rgb(image, 0, 0)), 0); // outside the rounding
        QCOMPARE(qAlpha(rgb(image, 1, 0)), 0);
        QCOMPARE(qAlpha(rgb(image, 109, 39)), 0);
    }

    void hoverOnStart()
    {
        TColorSpeedButton &button = *shownButton();
        makeStartButton(button);
        QSignalSpy entered(&button, &TColorSpeedButton::mouseEnter);
        QSignalSpy exited(&button, &TColorSpeedButton::mouseExit);
        const QImage normal = render(button);
        const QRect normalCaption = pixelsWhere(normal, white);
        QVERIFY(!normalCaption.isEmpty());
        QVERIFY(pixelsWhere(normal, yellow).isEmpty());

        enter(button);
        QVERIFY(button.isHot());
        QCOMPARE(entered.count(), 1);
        const QImage hot = render(button);
        QCOMPARE(rgb(hot, 5, 10), qRgb(6, 194, 6)); // from 0x00C000 instead of clGreen
        const QRect hotCaption = pixelsWhere(hot, yellow);
        QVERIFY(pixelsWhere(hot, white).isEmpty());
        QVERIFY(hotCaption.height() > normalCaption.height()); // 21 instead of 19 pixels
        QVERIFY(hotCaption.width() > normalCaption.width());

        leave(button);
        QCOMPARE(exited.count(), 1);
        QCOMPARE(button.fadeLevel(), 0); // at once, without SlowDecease
        QCOMPARE(render(button), normal);
    }

    void pressedStart()
    {
        TColorSpeedButton &button = *shownButton();
        makeStartButton(button);
        QSignalSpy pressed(&button, &TColorSpeedButton::mouseDown);
        QSignalSpy clicked(&button, &TColorSpeedButton::clicked);
        enter(button); // a pressed button is also hot
        const QRect hotCaption = pixelsWhere(render(button), yellow);
        QVERIFY(!hotCaption.isEmpty());

        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 20));
        QVERIFY(button.isDown());
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
        QCOMPARE(clicked.count(), 0); // acting on the press is the caller's choice
        const QImage down = render(button);
        QCOMPARE(rgb(down, 5, 11), qRgb(130, 255, 130)); // from 0x80FF80, one row lower
        QCOMPARE(rgb(down, 1, 20), qRgb(0, 192, 0));     // inner outline in ShadowColor
        QCOMPARE(pixelsWhere(down, yellow), hotCaption.translated(1, 1));

        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(50, 20));
        QVERIFY(!button.isDown());
        QCOMPARE(clicked.count(), 1);

        QTest::mousePress(&button, Qt::RightButton, {}, QPoint(50, 20));
        QCOMPARE(pressed.count(), 2);
        QCOMPARE(pressed.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
        QVERIFY(!button.isDown());
        QTest::mouseRelease(&button, Qt::RightButton, {}, QPoint(50, 20));
        QCOMPARE(clicked.count(), 1);

        // Widgets get press, release, double click, release: the double click presses again.
        QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(50, 20));
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(50, 20),
                                button.mapToGlobal(QPointF(50, 20)), Qt::LeftButton, Qt::LeftButton,
                                Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &doubleClick);
        QCOMPARE(pressed.count(), 4);
        QVERIFY(button.isDown());
    }

    void pressHandlerThatDisablesTheButton()
    {
        TColorSpeedButton &button = *shownButton();
        makeStartButton(button);
        connect(&button, &TColorSpeedButton::mouseDown, this, [&] { button.setEnabled(false); });
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 20));
        QVERIFY(!button.isEnabled());
        QVERIFY(!button.isDown());
    }

    void releasedWhileDisabledComesUp()
    {
        TColorSpeedButton &button = *shownButton();
        makeStartButton(button);
        QSignalSpy clicked(&button, &TColorSpeedButton::clicked);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(50, 20));
        QVERIFY(button.isDown());
        button.setEnabled(false);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(50, 20),
                            button.mapToGlobal(QPointF(50, 20)), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &release);
        button.setEnabled(true);
        QVERIFY(!button.isDown());
        QCOMPARE(clicked.count(), 0);
    }

    void disabledLook()
    {
        TColorSpeedButton &button = *shownButton();
        makeStartButton(button);
        button.setEnabled(false);
        enter(button);
        QVERIFY(!button.isHot());
        const QImage image = render(button);
        QCOMPARE(rgb(image, 5, 10), qRgb(6, 132, 6)); // from Color: no hot colour
        QVERIFY(!pixelsWhere(image, grey).isEmpty());
        QVERIFY(pixelsWhere(image, white).isEmpty());
        QVERIFY(pixelsWhere(image, yellow).isEmpty());
        button.setDown(true);
        QCOMPARE(rgb(render(button), 5, 11), qRgb(12, 136, 12)); // never drawn down
    }

    void slowDeceaseFadesOut()
    {
        TColorSpeedButton &button = *shownButton();
        makeStartButton(button);
        button.setSlowDecease(true);
        QVERIFY(button.slowDecease());
        enter(button);
        QCOMPARE(button.fadeLevel(), kFadeLevels);
        leave(button);
        QVERIFY(!button.isHot());
        QCOMPARE(button.fadeLevel(), kFadeLevels);
        QTRY_VERIFY(button.fadeLevel() > 0 && button.fadeLevel() < kFadeLevels);
        const QRgb midway = rgb(render(button), 5, 10);
        QVERIFY(qGreen(midway) > 132 && qGreen(midway) < 194);

        enter(button); // back to the full hot colour, and it stays while hovering
        QCOMPARE(button.fadeLevel(), kFadeLevels);
        QTest::qWait(3 * kFadeStepMs);
        QCOMPARE(button.fadeLevel(), kFadeLevels);

        leave(button);
        QTRY_COMPARE_WITH_TIMEOUT(button.fadeLevel(), 0, 2000);
        QCOMPARE(rgb(render(button), 5, 10), qRgb(6, 132, 6));

        enter(button);
        button.setSlowDecease(false);
        QCOMPARE(button.fadeLevel(), 0);
        QVERIFY(!button.slowDecease());
    }

    void groupActsAsRadioButtons()
    {
        TColorSpeedButton &a = *shownButton();
        TColorSpeedButton &b = *shownButton();
        TColorSpeedButton &other = *shownButton();
        a.setGroupIndex(1);
        b.setGroupIndex(1);
        other.setGroupIndex(2);
        other.setDown(true);

        QTest::mouseClick(&a, Qt::LeftButton);
        QVERIFY(a.isDown());
        QTest::mouseClick(&b, Qt::LeftButton);
        QVERIFY(b.isDown());
        QVERIFY(!a.isDown());
        QVERIFY(other.isDown());

        QTest::mouseClick(&b, Qt::LeftButton); // without AllowAllUp it stays down
        QVERIFY(b.isDown());
        b.setAllowAllUp(true);
        QTest::mouseClick(&b, Qt::LeftButton);
        QVERIFY(!b.isDown());

        a.setDown(true);
        b.setDown(true);
        QVERIFY(!a.isDown());
        QVERIFY(other.isDown());

        TColorSpeedButton &plain = *shownButton();
        QTest::mousePress(&plain, Qt::LeftButton);
        QVERIFY(plain.isDown());
        QTest::mouseRelease(&plain, Qt::LeftButton);
        QVERIFY(!plain.isDown());
        QVERIFY(b.isDown());
    }

    void glyphImageByState()
    {
        TColorSpeedButton &button = *shownButton();
        button.resize(38, 40);
        button.setStyle(TColorSpeedButtonStyle::bsShape);
        const QRgb colours[4] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200),
                                 qRgb(200, 200, 0)};
        QImage strip(64, 16, QImage::Format_RGB32);
        strip.fill(qRgb(255, 0, 255)); // the bottom-left colour: transparent
        for (int i = 0; i < 4; ++i) {
            for (int y = 2; y < 14; ++y) {
                for (int x = 2; x < 14; ++x)
                    strip.setPixel(i * 16 + x, y, colours[i]);
            }
        }
        button.setGlyph(strip);
        QCOMPARE(button.numGlyphs(), 4);

        // The glyph is centred at ((38 - 16) div 2, (40 - 16) div 2) = (11, 12).
        const auto centre = [&] { return rgb(render(button), 19, 20); };
        QCOMPARE(centre(), colours[0]);
        QCOMPARE(qAlpha(rgb(render(button), 11, 12)), 0);
        enter(button);
        QCOMPARE(centre(), colours[3]);
        button.setDown(true);
        QCOMPARE(centre(), colours[2]);
        button.setDown(false);
        leave(button);
        button.setEnabled(false);
        QCOMPARE(centre(), colours[1]);

        button.setGlyph(QImage());
        QCOMPARE(button.numGlyphs(), 0);
    }

    void captionCutToTheButton()
    {
        TColorSpeedButton &button = *shownButton();
        button.resize(60, 23);
        button.setFlat(true); // no frame: every dark pixel is text
        button.setFontColor(clBlack);
        const auto dark = [](QRgb c) { return qAlpha(c) == 255 && qGray(c) < 100; };

        button.setCaption(QStringLiteral("Zwischenzeiten"));
        const QRect cut = pixelsWhere(render(button), dark);
        QVERIFY(!cut.isEmpty());
        QVERIFY(cut.right() < 4 + 52); // within W - 8 from the left edge 4

        button.setCaption(QStringLiteral("Zwischen zeiten"));
        button.setWordWrap(true);
        button.resize(60, 60);
        const QRect wrapped = pixelsWhere(render(button), dark);
        QVERIFY(wrapped.height() > cut.height() * 3 / 2); // two lines
    }

    void colorStylePresets()
    {
        TColorSpeedButton &button = *shownButton();
        button.setColorStyle(TColorStyle::csQuicken);
        QCOMPARE(button.color(), TColor(0x603000));
        QCOMPARE(button.lightColor(), TColor(0xC0C0C0));
        QCOMPARE(button.hotTrackColor(), TColor(0xCEAE9C));
        QCOMPARE(button.fontColor(), clWhite);
        QCOMPARE(button.style(), TColorSpeedButtonStyle::bsQuicken);
        QVERIFY(!button.isFlat());

        button.setColor(clRed);
        button.setColorStyle(TColorStyle::csCustom); // changes nothing else
        QCOMPARE(button.color(), clRed);
        QCOMPARE(button.style(), TColorSpeedButtonStyle::bsQuicken);

        button.setColorStyle(TColorStyle::csUltraFlat2);
        QVERIFY(button.isFlat());
        QCOMPARE(button.color(), clBtnFace);
        QCOMPARE(button.style(), TColorSpeedButtonStyle::bsNormal);
    }

    void repaintAtOnceOrInvalidate()
    {
        auto &button = *shownButton<PaintCounting<TColorSpeedButton>>();
        QCoreApplication::processEvents();
        QCOMPARE(button.paintsDuring([&] { button.setColor(clRed); }), 1);
        QCOMPARE(button.paintsDuring([&] { button.setDown(true); }), 1);
        QCOMPARE(button.paintsDuring([&] { button.setDown(true); }), 0);
        QCOMPARE(button.paintsDuring([&] { button.setCaption(QStringLiteral("x")); }), 0);
        QCOMPARE(button.paintsDuring([&] { button.setStyle(TColorSpeedButtonStyle::bsOld); }), 0);
        QCOMPARE(button.paintsDuring([&] { button.setHotTrackFont(QFont()); }), 0);

        button.setTransparent(true);
        QCOMPARE(button.paintsDuring([&] { button.setColor(clBlue); }), 0);
        const int before = button.paints;
        QTRY_COMPARE(button.paints, before + 1);
        QCOMPARE(button.paintsDuring([&] { button.setColorStyle(TColorStyle::csGold); }), 1);
    }

    void popupMenuBelowTheButton()
    {
        TColorSpeedButton &button = *shownButton();
        QMenu menu;
        menu.addAction(QStringLiteral("Eintrag"));
        button.setPopupMenu(&menu);
        const QImage image = render(button);
        // The arrow: 5, 3 and 1 black pixels from (W - 11, H div 2) = (89, 11) down.
        QCOMPARE(rgb(image, 89, 11), qRgb(0, 0, 0));
        QCOMPARE(rgb(image, 93, 11), qRgb(0, 0, 0));
        QCOMPARE(rgb(image, 91, 13), qRgb(0, 0, 0));
        QVERIFY(rgb(image, 90, 13) != qRgb(0, 0, 0));

        QSignalSpy clicked(&button, &TColorSpeedButton::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(menu.pos(), button.mapToGlobal(QPoint(0, button.height())));
        QCOMPARE(clicked.count(), 1);
        menu.close();
    }

    void acceleratorClicks()
    {
        TColorSpeedButton &button = *shownButton();
        button.setCaption(QStringLiteral("&Los"));
        QSignalSpy clicked(&button, &TColorSpeedButton::clicked);
        // Shown down while it clicks: the frame's light and dark edges exchanged.
        QRgb cornerWhileClicked = 0;
        connect(&button, &TColorSpeedButton::clicked, this,
                [&] { cornerWhileClicked = rgb(render(button), 0, 0); });
        QCOMPARE(rgb(render(button), 0, 0), qRgb(255, 255, 255));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTest::keyClick(m_window, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(cornerWhileClicked, qRgb(0, 0, 0));
        QVERIFY(!button.isDown());
        QCOMPARE(rgb(render(button), 0, 0), qRgb(255, 255, 255));

        button.setEnabled(false);
        QTest::keyClick(m_window, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(clicked.count(), 1);
    }
};

QTEST_MAIN(TestColorSpeedButton)
#include "tst_ColorSpeedButton.moc"
