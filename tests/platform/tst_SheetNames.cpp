#include "platform/office/SheetNames.h"

#include <QTest>

using namespace platform::office;

class TestSheetNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void faultsAreFound()
    {
        const QStringList taken{u"Startliste"_qs, u"Anna"_qs};
        QVERIFY(sheetNameFault(u"Berta"_qs, taken).isEmpty());
        QVERIFY(sheetNameFault(QString(31, u'x'), taken).isEmpty());
        QVERIFY(!sheetNameFault(QString(), taken).isEmpty());
        QVERIFY(!sheetNameFault(QString(32, u'x'), taken).isEmpty());
        QVERIFY(!sheetNameFault(u"ANNA"_qs, taken).isEmpty());
        QVERIFY(!sheetNameFault(u"startliste"_qs, taken).isEmpty());
        QVERIFY(!sheetNameFault(u"'Anna"_qs, {}).isEmpty());
        QVERIFY(!sheetNameFault(u"History"_qs, {}).isEmpty());
        for (const QChar c : QStringView(u":\\/?*[]"))
            QVERIFY2(!sheetNameFault(u"A"_qs + c + u"B"_qs, {}).isEmpty(), qPrintable(QString(c)));
    }

    void namesAreMadeValidAndUnique()
    {
        QCOMPARE(validSheetName(u"Anna"_qs, u"1"_qs, {}), u"Anna"_qs);
        QCOMPARE(validSheetName(QString(), u"12"_qs, {}), u"12"_qs);
        QCOMPARE(validSheetName(u"  "_qs, QString(), {}), u"Tabelle"_qs);
        QCOMPARE(validSheetName(u"Anna"_qs, u"1"_qs, {u"anna"_qs}), u"Anna (2)"_qs);
        QCOMPARE(validSheetName(u"Anna"_qs, u"1"_qs, {u"Anna"_qs, u"Anna (2)"_qs}), u"Anna (3)"_qs);
        QCOMPARE(validSheetName(u"A/B: C?[1]*"_qs, u"1"_qs, {}), u"A_B_ C__1__"_qs);
        QCOMPARE(validSheetName(u"'Anna'"_qs, u"1"_qs, {}), u"Anna"_qs);
        QCOMPARE(validSheetName(u"History"_qs, u"1"_qs, {}), u"History (2)"_qs);

        const QString longName = u"Maximiliane Sophie von Hohenberg-Lauterbach"_qs;
        const QString cut = validSheetName(longName, u"1"_qs, {});
        QCOMPARE(cut, longName.left(31));
        const QString again = validSheetName(longName, u"1"_qs, {cut});
        QCOMPARE(again.size(), 31);
        QVERIFY(again.endsWith(u" (2)"_qs));
        QVERIFY(sheetNameFault(again, {cut}).isEmpty());

        // A character outside the basic plane counts once and is not cut in half.
        const QString wide = QString(30, u'x') + QString::fromUcs4(U"\U0001F3C3\U0001F3C3");
        const QString wideName = validSheetName(wide, u"1"_qs, {});
        QCOMPARE(wideName.toUcs4().size(), 31);
        QVERIFY(sheetNameFault(wideName, {}).isEmpty());
    }

    void rowOfSheetsGetsDistinctNames()
    {
        const QStringList names = validSheetNames({u"Anna"_qs, QString(), u"Anna"_qs, u"Startliste"_qs},
                                                  {u"3"_qs, u"5"_qs, u"8"_qs, u"9"_qs},
                                                  {u"Startliste"_qs});
        QCOMPARE(names, (QStringList{u"Anna"_qs, u"5"_qs, u"Anna (2)"_qs, u"Startliste (2)"_qs}));
    }
};

QTEST_APPLESS_MAIN(TestSheetNames)
#include "tst_SheetNames.moc"
