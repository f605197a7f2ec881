#include "controls/Udigit.h"

#include "PaintCounting.h"

#include <QSignalSpy>
#include <QTest>

namespace {

QRgb pixel(const QImage &image, QPoint at)
{
    return image.pixel(at) | 0xFF000000;
}

// A point well inside each segment of a 50 x 89 digit with T = 5, S = 1.
const QPoint kInside[kDigitSegmentCount] = {{25, 5},  {25, 44}, {25, 83}, {5, 25},
                                            {44, 25}, {5, 64},  {44, 64}, {47, 86}};

} // namespace

class TestDigit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExamplePolygons_data()
    {
        QTest::addColumn<int>("segment");
        QTest::addColumn<QPolygon>("points");
        QTest::newRow("top") << int(sgTop)
                             << QPolygon({{6, 5}, {11, 0}, {38, 0}, {43, 5}, {38, 10}, {11, 10}});
        QTest::newRow("middle") << int(sgMiddle)
                                << QPolygon(
                                       {{6, 44}, {11, 39}, {38, 39}, {43, 44}, {38, 49}, {11, 49}});
        QTest::newRow("bottom") << int(sgBottom)
                                << QPolygon(
                                       {{6, 83}, {11, 78}, {38, 78}, {43, 83}, {38, 88}, {11, 88}});
        QTest::newRow("upper left")
            << int(sgUpperLeft)
            << QPolygon({{0, 11}, {5, 6}, {10, 11}, {10, 38}, {5, 43}, {0, 38}});
        QTest::newRow("upper right")
            << int(sgUpperRight)
            << QPolygon({{39, 11}, {44, 6}, {49, 11}, {49, 38}, {44, 43}, {39, 38}});
        QTest::newRow("lower left")
            << int(sgLowerLeft)
            << QPolygon({{0, 50}, {5, 45}, {10, 50}, {10, 77}, {5, 82}, {0, 77}});
        QTest::newRow("lower right")
            << int(sgLowerRight)
            << QPolygon({{39, 50}, {44, 45}, {49, 50}, {49, 77}, {44, 82}, {39, 77}});
        QTest::newRow("point") << int(sgPoint) << QPolygon({{49, 88}, {40, 88}, {49, 79}});
    }

    void workedExamplePolygons()
    {
        QFETCH(int, segment);
        QFETCH(QPolygon, points);
        QCOMPARE(digitSegmentPolygon(segment, QSize(50, 89), 5, 1), points);
    }

    void constructionValues()
    {
        TDigit digit;
        QCOMPARE(digit.size(), QSize(16, 32));
        QCOMPARE(digit.thickness(), 2);
        QCOMPARE(digit.separation(), 1);
        QCOMPARE(digit.value(), 0);
        QCOMPARE(digit.valueBinary(), quint8(125));
        QCOMPARE(digit.colorOn(), clYellow);
        QCOMPARE(digit.colorOff(), clBlack);
        QCOMPARE(digit.color(), clBlack);
        QCOMPARE(digit.borderStyle(), TBorderStyle::bsSingle);

        QCOMPARE(digitSegmentPolygon(sgTop, digit.size(), 2, 1),
                 QPolygon({{3, 2}, {5, 0}, {10, 0}, {12, 2}, {10, 4}, {5, 4}}));
        QCOMPARE(digitSegmentPolygon(sgPoint, digit.size(), 2, 1),
                 QPolygon({{15, 31}, {12, 31}, {15, 28}}));

        const QImage image = digit.grab().toImage();
        const QRgb yellow = qRgb(255, 255, 0);
        QCOMPARE(pixel(image, {7, 2}), yellow);         // top bar lit
        QCOMPARE(pixel(image, {2, 8}), yellow);         // upper left bar lit
        QCOMPARE(pixel(image, {7, 15}), qRgb(0, 0, 0)); // middle bar unlit
        QCOMPARE(pixel(image, {3, 2}), qRgb(0, 0, 0));  // outline of the top bar
    }

    // Every segment's interior in its colour, every corner of every polygon in
    // the background colour, also where neighbouring bars come close.
    void workedExampleRendering_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::newRow("digit 2") << int(kDigitPatterns[2]);
        QTest::newRow("digit 4") << int(kDigitPatterns[4]);
        QTest::newRow("all off") << 0;
        QTest::newRow("all on") << 255;
    }

    void workedExampleRendering()
    {
        QFETCH(int, pattern);
        TDigit digit;
        digit.resize(50, 89);
        digit.setThickness(5);
        digit.setSeparation(1);
        digit.setColor(0x800000); // navy, to tell the outline from an unlit segment
        digit.setColorOff(clGray);
        digit.setColorOn(clYellow);
        digit.setValueBinary(quint8(pattern));

        const QImage image = digit.grab().toImage();
        const QRgb background = qRgb(0, 0, 128);
        for (int segment = 0; segment < kDigitSegmentCount; ++segment) {
            const bool lit = (pattern >> segment) & 1;
            QCOMPARE(pixel(image, kInside[segment]), lit ? qRgb(255, 255, 0) : qRgb(128, 128, 128));
            const QPolygon outline = digitSegmentPolygon(segment, digit.size(), 5, 1);
            for (const QPoint &corner : outline)
                QCOMPARE(pixel(image, corner), background);
        }
        QCOMPARE(pixel(image, {25, 25}), background); // inside the upper loop
        QCOMPARE(pixel(image, {5, 87}), background);  // below the lower left bar
        QCOMPARE(pixel(image, {39, 88}), background); // just left of the point
    }

    void valueOverflow()
    {
        TDigit digit;
        QSignalSpy overflows(&digit, &TDigit::overflow);
        quint8 patternDuringEvent = 0;
        connect(&digit, &TDigit::overflow, this, [&] { patternDuringEvent = digit.valueBinary(); });

        digit.setValue(10);
        QCOMPARE(overflows.count(), 1);
        QCOMPARE(digit.value(), 0);
        QCOMPARE(digit.valueBinary(), kDigitPatterns[0]);
        digit.setValue(10);
        QCOMPARE(overflows.count(), 2);

        digit.setValue(3);
        QCOMPARE(digit.valueBinary(), quint8(87));
        digit.setValue(-1);
        QCOMPARE(overflows.count(), 3);
        QCOMPARE(patternDuringEvent, quint8(87)); // raised before the pattern changes
        QCOMPARE(digit.value(), 0);
        QCOMPARE(digit.valueBinary(), quint8(125));

        for (int value = 0; value <= 9; ++value) {
            digit.setValue(value);
            QCOMPARE(digit.valueBinary(), kDigitPatterns[value]);
        }
        QCOMPARE(overflows.count(), 3);
    }

    void valueBinaryLeavesValue()
    {
        TDigit digit;
        digit.setValue(3);
        digit.setValueBinary(0);
        QCOMPARE(digit.value(), 3);
        digit.setValue(3); // the same number: nothing changes
        QCOMPARE(digit.valueBinary(), quint8(0));
        digit.setValue(4);
        QCOMPARE(digit.valueBinary(), quint8(90));
        digit.setValueBinary(255);
        QCOMPARE(digit.valueBinary(), quint8(255));
        QCOMPARE(digit.value(), 4);
    }

    void thicknessLimitedByTheCurrentSize()
    {
        TDigit digit;
        digit.resize(50, 89);
        digit.setThickness(25);
        QCOMPARE(digit.thickness(), 25);
        digit.setThickness(26);
        QCOMPARE(digit.thickness(), 25);
        digit.setThickness(-3); // no lower bound
        QCOMPARE(digit.thickness(), -3);

        digit.resize(89, 50);
        digit.setThickness(25);
        QCOMPARE(digit.thickness(), 25);
        digit.resize(10, 10); // a later resize does not test again
        QCOMPARE(digit.thickness(), 25);
        digit.setThickness(6);
        QCOMPARE(digit.thickness(), 25);

        digit.setSeparation(-7); // always stored
        QCOMPARE(digit.separation(), -7);
    }

    void repaintAtOnceOrInvalidate()
    {
        QWidget window;
        window.resize(100, 100);
        auto *digit = new PaintCounting<TDigit>(&window);
        digit->resize(50, 89);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();

        QCOMPARE(digit->paintsDuring([&] { digit->setColorOn(clRed); }), 1);
        QCOMPARE(digit->paintsDuring([&] { digit->setColorOn(clRed); }), 0);
        QCOMPARE(digit->paintsDuring([&] { digit->setColorOff(clGray); }), 1);
        QCOMPARE(digit->paintsDuring([&] { digit->setBorderStyle(TBorderStyle::bsNone); }), 1);
        QCOMPARE(digit->paintsDuring([&] { digit->setValueBinary(3); }), 1);
        QCOMPARE(digit->paintsDuring([&] { digit->setValueBinary(3); }), 0);
        QCOMPARE(digit->paintsDuring([&] { digit->setValue(7); }), 1);
        QCOMPARE(digit->paintsDuring([&] { digit->setValue(7); }), 0);

        // Thickness and Separation only mark the digit; it paints in the next cycle.
        for (const auto &change : {std::function<void()>([&] { digit->setThickness(5); }),
                                   std::function<void()>([&] { digit->setSeparation(2); })}) {
            QCOMPARE(digit->paintsDuring(change), 0);
            const int before = digit->paints;
            QTRY_COMPARE(digit->paints, before + 1);
        }
    }
};

QTEST_MAIN(TestDigit)
#include "tst_Udigit.moc"
