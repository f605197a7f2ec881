#include "controls/Colors.h"

#include <QGuiApplication>
#include <QTest>

class TestColors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plainValuesAreBlueGreenRed()
    {
        QCOMPARE(toQColor(0x00FFFF), QColor(255, 255, 0)); // yellow
        QCOMPARE(toQColor(0x0000FF), QColor(255, 0, 0));   // red
        QCOMPARE(toQColor(0xC0FFC0), QColor(192, 255, 192));
        QCOMPARE(toQColor(0x404040), QColor(64, 64, 64));
        QCOMPARE(fromQColor(QColor(255, 255, 0)), clYellow);
        QCOMPARE(fromQColor(QColor(0x12, 0x34, 0x56)), TColor(0x563412));
    }

    void systemColorsFollowThePalette()
    {
        QPalette pal;
        pal.setColor(QPalette::Button, QColor(1, 2, 3));
        pal.setColor(QPalette::Dark, QColor(4, 5, 6));
        pal.setColor(QPalette::Highlight, QColor(7, 8, 9));
        QCOMPARE(toQColor(clBtnFace, pal), QColor(1, 2, 3));
        QCOMPARE(toQColor(clBtnShadow, pal), QColor(4, 5, 6));
        QCOMPARE(toQColor(clHighlight, pal), QColor(7, 8, 9));
        QVERIFY(isSystemColor(clBtnFace));
        QVERIFY(!isSystemColor(clWhite));
    }

    void noneIsNoColour() { QVERIFY(!toQColor(clNone).isValid()); }
};

QTEST_MAIN(TestColors)
#include "tst_Colors.moc"
