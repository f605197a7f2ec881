#include "controls/SortCompare.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

int compareUnder(TSortStyle style, bool caseSensitive, const QLocale &locale, const QString &a,
                 const QString &b)
{
    TSortOptions options;
    options.SortStyle = style;
    options.SortCaseSensitive = caseSensitive;
    return SortComparer({a, b}, options, locale).compareTexts(0, 1);
}

} // namespace

class TestSortCompare : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("expected");
        QTest::newRow("digits as text") << u"10"_s << u"9"_s << -1;
        QTest::newRow("shorter first") << u"ab"_s << u"abc"_s << -1;
        QTest::newRow("equal") << u"Lauf"_s << u"Lauf"_s << 0;
        QTest::newRow("capitals before small letters") << u"Z"_s << u"a"_s << -1;
        QTest::newRow("umlaut after z") << u"z"_s << u"ä"_s << -1;
        QTest::newRow("capital umlaut after z") << u"Ä"_s << u"z"_s << 1;
        QTest::newRow("sharp s before ä") << u"ß"_s << u"ä"_s << -1;
        QTest::newRow("euro sign is byte 0x80") << u"€"_s << u"z"_s << 1;
        QTest::newRow("euro sign before nbsp") << u"€"_s << u"\u00a0"_s << -1;
        QTest::newRow("quote 0x84 before 0x93") << u"„"_s << u"“"_s << -1;
        QTest::newRow("outside the code page last") << u"Ω"_s << u"ÿ"_s << 1;
        QTest::newRow("NUL ends the text") << u"a\0x"_s << u"a"_s << 0;
        QTest::newRow("empty first") << QString() << u"a"_s << -1;
    }

    void textOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, expected);
        QCOMPARE(compareSortText(a, b), expected);
        QCOMPARE(compareSortText(b, a), -expected);
    }

    void caseFolding() { QCOMPARE(foldSortCase(u"AbZ ÄÖÜ É"_s), u"abz ÄÖÜ É"_s); }

    void styles_data()
    {
        QTest::addColumn<TSortStyle>("style");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("expected");
        using enum TSortStyle;

        QTest::newRow("normal: 10 before 9")
            << ssNormal << false << german << u"10"_s << u"9"_s << -1;
        QTest::newRow("normal: case folded")
            << ssNormal << false << german << u"Zebra"_s << u"apfel"_s << 1;
        QTest::newRow("normal: case kept")
            << ssNormal << true << german << u"Zebra"_s << u"apfel"_s << -1;
        QTest::newRow("normal: folded equal")
            << ssNormal << false << german << u"ABC"_s << u"abc"_s << 0;
        QTest::newRow("normal: umlaut not folded")
            << ssNormal << false << german << u"Äpfel"_s << u"zebra"_s << 1;
        QTest::newRow("normal: umlaut kept")
            << ssNormal << true << german << u"äpfel"_s << u"Zebra"_s << 1;
        QTest::newRow("automatic is text")
            << ssAutomatic << false << german << u"10"_s << u"9"_s << -1;

        QTest::newRow("numeric: 9 before 10")
            << ssNumeric << false << german << u"9"_s << u"10"_s << -1;
        QTest::newRow("numeric: empty before 9")
            << ssNumeric << false << german << QString() << u"9"_s << -1;
        QTest::newRow("numeric: empty before 10")
            << ssNumeric << false << german << QString() << u"10"_s << -1;
        QTest::newRow("numeric de: decimal comma")
            << ssNumeric << false << german << u"10,5"_s << u"9,5"_s << 1;
        QTest::newRow("numeric en: comma is text")
            << ssNumeric << false << english << u"10,5"_s << u"9,5"_s << -1;
        QTest::newRow("numeric en: decimal point")
            << ssNumeric << false << english << u"10.5"_s << u"9.5"_s << 1;
        QTest::newRow("numeric: exponent")
            << ssNumeric << false << german << u"1E3"_s << u"200"_s << 1;
        QTest::newRow("numeric: equal values")
            << ssNumeric << false << german << u"2,0"_s << u"2"_s << 0;
        QTest::newRow("numeric: negative")
            << ssNumeric << false << german << u"-10"_s << u"-9"_s << -1;
        QTest::newRow("numeric: word as text")
            << ssNumeric << false << german << u"abc"_s << u"5"_s << 1;

        QTest::newRow("date de: day before month")
            << ssDateTime << false << german << u"02.01.2024"_s << u"01.02.2024"_s << -1;
        QTest::newRow("date de: across a year")
            << ssDateTime << false << german << u"31.12.2023"_s << u"01.01.24"_s << -1;
        QTest::newRow("date de: time of day")
            << ssDateTime << false << german << u"01.02.2024 9:00"_s << u"01.02.2024 10:00"_s << -1;
        QTest::newRow("date de: same moment")
            << ssDateTime << false << german << u"1.2.24"_s << u"01.02.2024 00:00"_s << 0;
        QTest::newRow("date de: text fallback")
            << ssDateTime << false << german << u"kein Datum"_s << u"01.01.2024"_s << 1;
        QTest::newRow("date en: month first")
            << ssDateTime << false << english << u"12/31/2023"_s << u"1/1/2024"_s << -1;
        QTest::newRow("date en: pm folded")
            << ssDateTime << false << english << u"1/1/24 1:00 PM"_s << u"1/1/24 11:00 AM"_s << 1;

        QTest::newRow("time de") << ssTime << false << german << u"9:05"_s << u"10:00"_s << -1;
        QTest::newRow("time de: seconds")
            << ssTime << false << german << u"10:00:01"_s << u"10:00"_s << 1;
        QTest::newRow("time en: pm after am")
            << ssTime << false << english << u"10:00 PM"_s << u"11:00 AM"_s << 1;
        QTest::newRow("time en: case kept")
            << ssTime << true << english << u"10:00 PM"_s << u"11:00 AM"_s << 1;
        QTest::newRow("time: text fallback")
            << ssTime << false << german << u"9:05"_s << u"später"_s << -1;

        QTest::newRow("extended: Lauf 9 before Lauf 10")
            << ssNumericExtended << false << german << u"Lauf 9"_s << u"Lauf 10"_s << -1;
        QTest::newRow("extended: case folded")
            << ssNumericExtended << false << german << u"LAUF 10"_s << u"lauf 9"_s << 1;
        QTest::newRow("extended: number first")
            << ssNumericExtended << false << german << u"9 x"_s << u"10 x"_s << -1;
        QTest::newRow("extended: words")
            << ssNumericExtended << false << german << u"abc"_s << u"abd"_s << -1;
    }

    void styles()
    {
        QFETCH(TSortStyle, style);
        QFETCH(bool, caseSensitive);
        QFETCH(QLocale, locale);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, expected);
        QCOMPARE(compareUnder(style, caseSensitive, locale, a, b), expected);
        QCOMPARE(compareUnder(style, caseSensitive, locale, b, a), -expected);
    }

    void numericExtended_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("expected");
        QTest::newRow("number at the end") << u"Lauf 9"_s << u"Lauf 10"_s << -1;
        QTest::newRow("reversed") << u"Lauf 10"_s << u"Lauf 9"_s << 1;
        QTest::newRow("equal") << u"Lauf 9"_s << u"Lauf 9"_s << 0;
        QTest::newRow("common end dropped") << u"x9y"_s << u"x10y"_s << -1;
        QTest::newRow("leading zero") << u"07"_s << u"7"_s << 1;
        QTest::newRow("leading zero reversed") << u"7"_s << u"07"_s << 1;
        QTest::newRow("longer text's rest ignored") << u"Lauf"_s << u"Lauf 2"_s << 0;
        QTest::newRow("signed numbers") << u"-5"_s << u"+3"_s << -1;
        QTest::newRow("text where no number") << u"Lauf a"_s << u"Lauf b"_s << -1;
        QTest::newRow("umlaut after z as text") << u"Lauf ä"_s << u"Lauf z"_s << 1;
        QTest::newRow("empty before text") << QString() << u"a"_s << -1;
        QTest::newRow("text after empty") << u"a"_s << QString() << 1;
        QTest::newRow("empty equals empty") << QString() << QString() << 0;
    }

    void numericExtended()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, expected);
        QCOMPARE(compareNumericExtended(a, b), expected);
    }

    // A sort prepares each text once; every pair must still compare as the
    // rule for two texts says, whichever way the texts are built.
    void preparedNumericExtendedFollowsThePairRule()
    {
        const QStringList texts{u"Lauf 9"_s,
                                u"Lauf 10"_s,
                                u"Lauf 07"_s,
                                u"Lauf 7"_s,
                                u"lauf 7"_s,
                                u"Lauf"_s,
                                u"Lauf "_s,
                                u"Läufer 12"_s,
                                u"7"_s,
                                u"07"_s,
                                u"0"_s,
                                QString(),
                                u"-3"_s,
                                u"+3"_s,
                                u"Lauf 2 Nr 5"_s,
                                u"Lauf 2 Nr 10"_s,
                                u"Lauf -5"_s,
                                u"Lauf 5a"_s,
                                u"x9y"_s,
                                u"x10y"_s,
                                u"12,34"_s,
                                u"5,07"_s,
                                u"1.02,34"_s,
                                u"99999999999999999999"_s,
                                u"Lauf 100000000000000000000"_s,
                                u"Lauf 99999999999999999999"_s};
        for (const bool caseSensitive : {true, false}) {
            TSortOptions options;
            options.SortStyle = TSortStyle::ssNumericExtended;
            options.SortCaseSensitive = caseSensitive;
            const SortComparer comparer(texts, options, german);
            for (qsizetype i = 0; i < texts.size(); ++i) {
                for (qsizetype j = 0; j < texts.size(); ++j) {
                    const QString a = caseSensitive ? texts[i] : foldSortCase(texts[i]);
                    const QString b = caseSensitive ? texts[j] : foldSortCase(texts[j]);
                    QVERIFY2(comparer.compareTexts(i, j) == compareNumericExtended(a, b),
                             qPrintable(a + u" / "_s + b));
                }
            }
        }
    }

    void customComparison()
    {
        TSortOptions options;
        options.SortStyle = TSortStyle::ssCustom;
        QStringList seen;
        options.CustomCompare = [&seen](const QString &a, const QString &b) {
            seen << a << b;
            return int(a.size() - b.size()) * 1000; // by length only
        };
        const SortComparer comparer({u"Bbb"_s, u"aa"_s, u"cc"_s}, options, german);
        QCOMPARE(comparer.compareTexts(0, 1), 1);
        QCOMPARE(seen, (QStringList{u"bbb"_s, u"aa"_s})); // folded before the call
        QCOMPARE(comparer.compareTexts(1, 2), 0);

        options.CustomCompare = nullptr; // compares as text instead of failing
        QCOMPARE(SortComparer({u"b"_s, u"a"_s}, options, german).compareTexts(0, 1), 1);
    }

    void directionAndTieBreak()
    {
        TSortOptions options;
        const QStringList texts{u"b"_s, u"a"_s, u"B"_s};
        const SortComparer up(texts, options, german);
        QCOMPARE(up.compare(0, 1), 1);
        QCOMPARE(up.compare(0, 2), -1); // equal when folded: former position decides
        QCOMPARE(up.compare(2, 0), 1);
        QCOMPARE(up.compare(1, 1), 0);

        options.SortDirection = TSortDirection::sdDescending;
        const SortComparer down(texts, options, german);
        QCOMPARE(down.compare(0, 1), -1);
        QCOMPARE(down.compare(0, 2), -1); // the tie-break is never reversed
        QCOMPARE(down.compare(2, 0), 1);
    }
};

QTEST_GUILESS_MAIN(TestSortCompare)
#include "tst_SortCompare.moc"
