#include "timing/TimeDisplay.h"
#include "timing/TimeFormat.h"

#include <QTest>

class TestTimeFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatTime_data();
    void formatTime();
    void parseTime_data();
    void parseTime();
    void parseInvertsFormatBelowOneHour();
    void upperRow_data();
    void upperRow();
    void lowerRow_data();
    void lowerRow();
    void dateStamp();

private:
    void checkRow(DisplayRow row, const QStringList &names);
};

void TestTimeFormat::formatTime_data()
{
    QTest::addColumn<qint32>("ms");
    QTest::addColumn<QString>("text");
    const struct
    {
        qint32 ms;
        const char *text;
    } rows[] = {
        {0, "0,00"},
        {100, "0,10"},
        {1239, "1,23"},
        {5230, "5,23"},
        {12340, "12,34"},
        {59990, "59,99"},
        {62340, "1.02,34"},
        {602340, "10.02,34"},
        {3600000, "1:00.00,00"},
        {36000000, "10:00.00,00"},
        {999, "0,99"},
        {1000, "1,00"},
        {60000, "1.00,00"},
        {599990, "9.59,99"},
        {9, "0,00"},
        {360000000, "0,00"}, // hours count modulo 100
        {363600000, "1:00.00,00"},
        {-5, "0,00"},
    };
    for (const auto &r : rows)
        QTest::newRow(qPrintable(QString::number(r.ms))) << r.ms << QString::fromLatin1(r.text);
}

void TestTimeFormat::formatTime()
{
    QFETCH(qint32, ms);
    QFETCH(QString, text);
    QCOMPARE(FormatTime(ms), text);
}

void TestTimeFormat::parseTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint32>("ms");
    QTest::newRow("zero") << QStringLiteral("0,00") << 0;
    QTest::newRow("dash") << QStringLiteral("-") << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("hours give 0") << QStringLiteral("1:00.00,00") << 0;
    QTest::newRow("59,99") << QStringLiteral("59,99") << 59990;
    QTest::newRow("12,34") << QStringLiteral("12,34") << 12340;
    QTest::newRow("5,23") << QStringLiteral("5,23") << 5230;
    QTest::newRow("1.02,34") << QStringLiteral("1.02,34") << 62340;
    QTest::newRow("10.02,34") << QStringLiteral("10.02,34") << 602340;
    // A pair that is no number adds nothing, the others still count.
    QTest::newRow("bad seconds") << QStringLiteral("1.xx,34") << 60340;
    QTest::newRow("bad hundredths") << QStringLiteral("12,--") << 12000;
    QTest::newRow("text") << QStringLiteral("Name") << 0;
}

void TestTimeFormat::parseTime()
{
    QFETCH(QString, text);
    QFETCH(qint32, ms);
    QCOMPARE(ParseTime(text), ms);
}

void TestTimeFormat::parseInvertsFormatBelowOneHour()
{
    for (qint32 ms = 0; ms < 3600000; ms += 997)
        QCOMPARE(ParseTime(FormatTime(ms)), ms / 10 * 10);
    QCOMPARE(ParseTime(FormatTime(3599999)), 3599990);
}

void TestTimeFormat::upperRow_data()
{
    QTest::addColumn<qint32>("ms");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("firstLit");
    QTest::addColumn<int>("secondLit");
    const int dim = int(DigitLit::Dim), active = int(DigitLit::Active);
    QTest::newRow("0") << 0 << QList<int>{0, 0, 0, 0, 0} << dim << dim;
    QTest::newRow("5,23") << 5230 << QList<int>{0, 0, 5, 2, 3} << dim << dim;
    QTest::newRow("12,34") << 12340 << QList<int>{0, 1, 2, 3, 4} << dim << active;
    QTest::newRow("1.02,34") << 62340 << QList<int>{1, 0, 2, 3, 4} << active << active;
    QTest::newRow("truncated") << 1239 << QList<int>{0, 0, 1, 2, 3} << dim << dim;
    // The minute digit repeats after ten minutes but stays lit until the hour.
    QTest::newRow("10 min") << 600000 << QList<int>{0, 0, 0, 0, 0} << active << active;
    QTest::newRow("60 min") << 3600000 << QList<int>{0, 0, 0, 0, 0} << dim << dim;
}

// The row's digit names in reading order, their values, and the lit colours of
// its two leading digits; the others keep theirs.
void TestTimeFormat::checkRow(DisplayRow row, const QStringList &names)
{
    QFETCH(qint32, ms);
    QFETCH(QList<int>, values);
    QFETCH(int, firstLit);
    QFETCH(int, secondLit);
    const QList<DigitShow> shown = digitsForTime(row, ms);
    QCOMPARE(shown.size(), names.size());
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(shown[i].name, names[i]);
        QCOMPARE(shown[i].value, values[i]);
    }
    QCOMPARE(int(shown[0].lit), firstLit);
    QCOMPARE(int(shown[1].lit), secondLit);
    for (int i = 2; i < shown.size(); ++i)
        QCOMPARE(shown[i].lit, DigitLit::Unchanged);
}

void TestTimeFormat::upperRow()
{
    checkRow(DisplayRow::Upper,
             {QStringLiteral("Digit4"), QStringLiteral("Digit5"), QStringLiteral("Digit6"),
              QStringLiteral("Digit7"), QStringLiteral("Digit8")});
}

void TestTimeFormat::lowerRow_data()
{
    QTest::addColumn<qint32>("ms");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<int>("firstLit");
    QTest::addColumn<int>("secondLit");
    const int dim = int(DigitLit::Dim), active = int(DigitLit::Active);
    QTest::newRow("0") << 0 << QList<int>{0, 0, 0, 0, 0} << dim << dim;
    QTest::newRow("062,34") << 62340 << QList<int>{0, 6, 2, 3, 4} << dim << active;
    QTest::newRow("5,23") << 5230 << QList<int>{0, 0, 5, 2, 3} << dim << dim;
    QTest::newRow("105,00") << 105000 << QList<int>{1, 0, 5, 0, 0} << active << active;
    // Whole seconds are not reduced: 1000 s shows 000 with both leading digits lit.
    QTest::newRow("1000 s") << 1000000 << QList<int>{0, 0, 0, 0, 0} << active << active;
}

void TestTimeFormat::lowerRow()
{
    checkRow(DisplayRow::Lower,
             {QStringLiteral("Digit1"), QStringLiteral("Digit2"), QStringLiteral("Digit3"),
              QStringLiteral("Digit0"), QStringLiteral("Digit10")});
}

void TestTimeFormat::dateStamp()
{
    QCOMPARE(DateStamp(QDateTime(QDate(2007, 3, 9), QTime(14, 5))),
             QStringLiteral("2007-03-09-14-05"));
    QCOMPARE(DateStamp(QDateTime(QDate(2027, 1, 1), QTime(0, 0))),
             QStringLiteral("2027-01-01-00-00"));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d$"))
                .match(DateStamp())
                .hasMatch());
}

QTEST_GUILESS_MAIN(TestTimeFormat)
#include "tst_TimeFormat.moc"
