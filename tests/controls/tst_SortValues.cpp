#include "controls/SortValues.h"

#include <QDate>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

qint64 onScale(QDate date, QTime time = QTime(0, 0))
{
    return date.toJulianDay() * 86'400'000 + time.msecsSinceStartOfDay();
}

} // namespace

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(std::optional<qint64>)

class TestSortValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbers_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("expected");
        const std::optional<double> none;
        QTest::newRow("de comma") << german << u"1,5"_s << std::optional(1.5);
        QTest::newRow("de point is no decimal") << german << u"1.5"_s << none;
        QTest::newRow("de group separator") << german << u"1.000"_s << none;
        QTest::newRow("de sign and exponent") << german << u"-1,5e3"_s << std::optional(-1500.0);
        QTest::newRow("de capital exponent") << german << u"2,5E-1"_s << std::optional(0.25);
        QTest::newRow("de plus and blanks") << german << u" +2 "_s << std::optional(2.0);
        QTest::newRow("en point") << english << u"1.5"_s << std::optional(1.5);
        QTest::newRow("en comma is no decimal") << english << u"1,5"_s << none;
        QTest::newRow("en group separator") << english << u"1,000"_s << none;
        QTest::newRow("empty") << german << QString() << none;
        QTest::newRow("word") << german << u"Lauf"_s << none;
        QTest::newRow("nan") << english << u"nan"_s << none;
        QTest::newRow("inf") << english << u"inf"_s << none;
        QTest::newRow("overflow") << english << u"1e400"_s << none;
    }

    void numbers()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(std::optional<double>, expected);
        QCOMPARE(SortValueReader(locale).number(text), expected);
    }

    void dateTimes_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("expected");
        const std::optional<qint64> none;
        const QDate feb1(2024, 2, 1);
        QTest::newRow("de full year") << german << u"01.02.2024"_s << std::optional(onScale(feb1));
        QTest::newRow("de short fields") << german << u"1.2.24"_s << std::optional(onScale(feb1));
        QTest::newRow("de last century")
            << german << u"31.12.99"_s << std::optional(onScale(QDate(1999, 12, 31)));
        QTest::newRow("de with time")
            << german << u"01.02.2024 10:30"_s << std::optional(onScale(feb1, QTime(10, 30)));
        QTest::newRow("de with seconds") << german << u" 01.02.2024  10:30:15 "_s
                                         << std::optional(onScale(feb1, QTime(10, 30, 15)));
        QTest::newRow("de no such day") << german << u"30.02.2024"_s << none;
        QTest::newRow("de other separator") << german << u"01/02/2024"_s << none;
        QTest::newRow("de bad time") << german << u"01.02.2024 25:00"_s << none;
        QTest::newRow("de trailing text") << german << u"01.02.2024x"_s << none;
        QTest::newRow("de time alone") << german << u"10:30"_s << none;
        QTest::newRow("de number") << german << u"12"_s << none;
        QTest::newRow("en month first") << english << u"2/1/2024"_s << std::optional(onScale(feb1));
        QTest::newRow("en with pm")
            << english << u"2/1/24 10:30 PM"_s << std::optional(onScale(feb1, QTime(22, 30)));
        QTest::newRow("en lower case pm")
            << english << u"2/1/24 10:30 pm"_s << std::optional(onScale(feb1, QTime(22, 30)));
        QTest::newRow("en day first is no date") << english << u"13/1/2024"_s << none;
        QTest::newRow("C month name")
            << QLocale::c() << u"1 feb 2024"_s << std::optional(onScale(feb1));
        QTest::newRow("empty") << german << QString() << none;
    }

    void dateTimes()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, expected);
        QCOMPARE(SortValueReader(locale).dateTime(text), expected);
    }

    void times_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("expected");
        const std::optional<qint64> none;
        const auto at = [](int h, int m, int s = 0) {
            return std::optional<qint64>(QTime(h, m, s).msecsSinceStartOfDay());
        };
        QTest::newRow("de short") << german << u"10:30"_s << at(10, 30);
        QTest::newRow("de one digit hour") << german << u"9:05"_s << at(9, 5);
        QTest::newRow("de seconds") << german << u"23:59:59"_s << at(23, 59, 59);
        QTest::newRow("de hour 24") << german << u"24:00"_s << none;
        QTest::newRow("de minute 60") << german << u"10:60"_s << none;
        QTest::newRow("de point") << german << u"10.30"_s << none;
        QTest::newRow("de race time") << german << u"1.02,34"_s << none;
        QTest::newRow("de date") << german << u"01.02.2024"_s << none;
        QTest::newRow("en pm") << english << u"10:30 PM"_s << at(22, 30);
        QTest::newRow("en midnight") << english << u"12:15 AM"_s << at(0, 15);
        QTest::newRow("en noon") << english << u"12:15 pm"_s << at(12, 15);
        QTest::newRow("en no marker") << english << u"22:30"_s << at(22, 30);
        QTest::newRow("en hour 13 pm") << english << u"13:00 PM"_s << none;
        QTest::newRow("en seconds") << english << u"1:02:03 AM"_s << at(1, 2, 3);
        QTest::newRow("empty") << english << QString() << none;
    }

    void times()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, expected);
        QCOMPARE(SortValueReader(locale).time(text), expected);
    }

    void wholeNumbers()
    {
        QCOMPARE(parseWholeNumber(u"+12"), std::optional<qint64>(12));
        QCOMPARE(parseWholeNumber(u"-7"), std::optional<qint64>(-7));
        QCOMPARE(parseWholeNumber(u"007"), std::optional<qint64>(7));
        QCOMPARE(parseWholeNumber(u"9223372036854775807"),
                 std::optional<qint64>(9223372036854775807));
        QCOMPARE(parseWholeNumber(u"9223372036854775808"), std::nullopt);
        for (const char16_t *text : {u"", u"-", u" 1", u"1 ", u"1.0", u"1,0", u"x1", u"0x1"})
            QVERIFY2(!parseWholeNumber(text), qPrintable(QString::fromUtf16(text)));
    }

    void detection_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<TSortStyle>("expected");
        QTest::newRow("whole numbers")
            << german << QStringList{u"9"_s, u"10"_s, u"-3"_s} << TSortStyle::ssNumeric;
        QTest::newRow("no rows") << german << QStringList{} << TSortStyle::ssNumeric;
        QTest::newRow("de decimals")
            << german << QStringList{u"1,5"_s, u"2"_s} << TSortStyle::ssNumeric;
        QTest::newRow("en decimals read in German")
            << german << QStringList{u"1.5"_s, u"2"_s} << TSortStyle::ssNormal;
        QTest::newRow("an empty cell")
            << german << QStringList{u"1"_s, QString()} << TSortStyle::ssNormal;
        QTest::newRow("de dates") << german << QStringList{u"01.02.2024"_s, u"1.3.24 10:00"_s}
                                  << TSortStyle::ssDateTime;
        QTest::newRow("de times") << german << QStringList{u"10:30"_s, u"9:05:01"_s}
                                  << TSortStyle::ssTime;
        QTest::newRow("number then date")
            << german << QStringList{u"1"_s, u"01.02.2024"_s} << TSortStyle::ssNormal;
        QTest::newRow("time then date")
            << german << QStringList{u"10:30"_s, u"01.02.2024"_s} << TSortStyle::ssNormal;
        QTest::newRow("en dates") << english << QStringList{u"2/1/2024"_s, u"12/31/23"_s}
                                  << TSortStyle::ssDateTime;
        QTest::newRow("en times") << english << QStringList{u"10:30 PM"_s, u"9:05 am"_s}
                                  << TSortStyle::ssTime;
        QTest::newRow("names") << german << QStringList{u"Anna"_s, u"Ben"_s}
                               << TSortStyle::ssNormal;
    }

    void detection()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, texts);
        QFETCH(TSortStyle, expected);
        QCOMPARE(detectSortStyle(texts, locale), expected);
    }
};

QTEST_GUILESS_MAIN(TestSortValues)
#include "tst_SortValues.moc"
