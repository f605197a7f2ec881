#include "platform/office/SheetNames.h"

#include <QTest>

using namespace platform::office;
using namespace Qt::StringLiterals;

class TestSheetNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void faultsAreFound()
    {
        const QStringList taken{u"Startliste"_s, u"Anna"_s};
        QVERIFY(sheetNameFault(u"Berta"_s, taken).isEmpty());
        QVERIFY(sheetNameFault(QString(31, u'x'), taken).isEmpty());
        QVERIFY(!sheetNameFault(QString(), taken).isEmpty());
        QVERIFY(!sheetNameFault(QString(32, u'x'), taken).isEmpty());
        QVERIFY(!sheetNameFault(u"ANNA"_s, taken).isEmpty());
        QVERIFY(!sheetNameFault(u"startliste"_s, taken).isEmpty());
        QVERIFY(!sheetNameFault(u"'Anna"_s, {}).isEmpty());
        QVERIFY(!sheetNameFault(u"History"_s, {}).isEmpty());
        for (const QChar c : QStringView(u":\\/?*[]"))
            QVERIFY2(!sheetNameFault(u"A"_s + c + u"B"_s, {}).isEmpty(), qPrintable(QString(c)));
    }

    void namesAreMadeValidAndUnique()
    {
        QCOMPARE(validSheetName(u"Anna"_s, u"1"_s, {}), u"Anna"_s);
        QCOMPARE(validSheetName(QString(), u"12"_s, {}), u"12"_s);
        QCOMPARE(validSheetName(u"  "_s, QString(), {}), u"Tabelle"_s);
        QCOMPARE(validSheetName(u"Anna"_s, u"1"_s, {u"anna"_s}), u"Anna (2)"_s);
        QCOMPARE(validSheetName(u"Anna"_s, u"1"_s, {u"Anna"_s, u"Anna (2)"_s}), u"Anna (3)"_s);
        QCOMPARE(validSheetName(u"A/B: C?[1]*"_s, u"1"_s, {}), u"A_B_ C__1__"_s);
        QCOMPARE(validSheetName(u"'Anna'"_s, u"1"_s, {}), u"Anna"_s);
        QCOMPARE(validSheetName(u"History"_s, u"1"_s, {}), u"History (2)"_s);

        const QString longName = u"Maximiliane Sophie von Hohenberg-Lauterbach"_s;
        const QString cut = validSheetName(longName, u"1"_s, {});
        QCOMPARE(cut, longName.left(31));
        const QString again = validSheetName(longName, u"1"_s, {cut});
        QCOMPARE(again.size(), 31);
        QVERIFY(again.endsWith(u" (2)"_s));
        QVERIFY(sheetNameFault(again, {cut}).isEmpty());

        // A character outside the basic plane counts once and is not cut in half.
        const QString wide = QString(30, u'x') + QString::fromUcs4(U"\U0001F3C3\U0001F3C3");
        const QString wideName = validSheetName(wide, u"1"_s, {});
        QCOMPARE(wideName.toUcs4().size(), 31);
        QVERIFY(sheetNameFault(wideName, {}).isEmpty());
    }

    void rowOfSheetsGetsDistinctNames()
    {
        const QStringList names =
            validSheetNames({u"Anna"_s, QString(), u"Anna"_s, u"Startliste"_s},
                            {u"3"_s, u"5"_s, u"8"_s, u"9"_s}, {u"Startliste"_s});
        QCOMPARE(names, (QStringList{u"Anna"_s, u"5"_s, u"Anna (2)"_s, u"Startliste (2)"_s}));
    }
};

QTEST_APPLESS_MAIN(TestSheetNames)
#include "tst_SheetNames.moc"
