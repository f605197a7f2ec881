#include "platform/office/CellConversion.h"

#include <QTest>

using namespace platform::office;
using namespace Qt::StringLiterals;

class TestCellConversion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textBecomesNumberOrStaysText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("format");

        const QString hundredths = QString::fromUtf16(kHundredthsFormat);
        QTest::newRow("time") << u"12,34"_s << QVariant(12.34) << hundredths;
        QTest::newRow("zero time") << u"0,00"_s << QVariant(0.0) << hundredths;
        QTest::newRow("negative decimal") << u"-3,50"_s << QVariant(-3.5) << hundredths;
        QTest::newRow("whole number") << u"7"_s << QVariant(7.0) << QString();
        QTest::newRow("negative whole") << u"-42"_s << QVariant(-42.0) << QString();
        QTest::newRow("15 digits")
            << u"123456789012345"_s << QVariant(123456789012345.0) << QString();
        QTest::newRow("time with minutes") << u"1.02,34"_s << QVariant(u"1.02,34"_s) << QString();
        QTest::newRow("no time") << u"-"_s << QVariant(u"-"_s) << QString();
        QTest::newRow("name") << u"Anna Berg"_s << QVariant(u"Anna Berg"_s) << QString();
        QTest::newRow("leading zero kept") << u"07"_s << QVariant(u"07"_s) << QString();
        QTest::newRow("minus zero") << u"-0"_s << QVariant(u"-0"_s) << QString();
        QTest::newRow("one decimal") << u"12,3"_s << QVariant(u"12,3"_s) << QString();
        QTest::newRow("english point") << u"12.34"_s << QVariant(u"12.34"_s) << QString();
        QTest::newRow("16 digits")
            << u"1234567890123456"_s << QVariant(u"1234567890123456"_s) << QString();
        QTest::newRow("blank around") << u" 7"_s << QVariant(u" 7"_s) << QString();
        QTest::newRow("empty") << QString() << QVariant() << QString();
    }

    void textBecomesNumberOrStaysText()
    {
        QFETCH(QString, text);
        QFETCH(QVariant, value);
        QFETCH(QString, format);
        const CellValue cell = cellValueFromText(text);
        QCOMPARE(cell.value.typeId(), value.typeId());
        QCOMPARE(cell.value, value);
        QCOMPARE(cell.numberFormat, format);
    }

    void numbersComeBackAsText()
    {
        QCOMPARE(cellText(12.34, u',', WholeNumbers::AsDecimal), u"12,34"_s);
        QCOMPARE(cellText(12.34, u'.', WholeNumbers::AsDecimal), u"12.34"_s);
        QCOMPARE(cellText(7.0, u',', WholeNumbers::AsDecimal), u"7,00"_s);
        QCOMPARE(cellText(7.0, u',', WholeNumbers::AsDigits), u"7"_s);
        QCOMPARE(cellText(7.5, u',', WholeNumbers::AsDigits), u"7,50"_s);
        QCOMPARE(cellText(-3.0, u',', WholeNumbers::AsDigits), u"-3"_s);
        QCOMPARE(cellText(u"-"_s, u',', WholeNumbers::AsDecimal), u"-"_s);
        QCOMPARE(cellText(QVariant(), u',', WholeNumbers::AsDecimal), QString());
    }

    void everyNumberRoundTrips()
    {
        for (const QString &text :
             {u"0,01"_s, u"9,99"_s, u"59,99"_s, u"123,45"_s, u"1"_s, u"9999"_s}) {
            const CellValue cell = cellValueFromText(text);
            QCOMPARE(cell.value.typeId(), QMetaType::Double);
            const auto rule =
                text.contains(u',') ? WholeNumbers::AsDecimal : WholeNumbers::AsDigits;
            QCOMPARE(cellText(cell.value, u',', rule), text);
        }
    }
};

QTEST_APPLESS_MAIN(TestCellConversion)
#include "tst_CellConversion.moc"
