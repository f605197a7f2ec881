#include "controls/SortCompare.h"
#include "controls/SortOrder.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

TSortOptions optionsFor(TSortStyle style, TSortDirection direction = TSortDirection::sdAscending)
{
    TSortOptions options;
    options.SortStyle = style;
    options.SortDirection = direction;
    return options;
}

bool isPermutation(QList<int> order, int count)
{
    std::sort(order.begin(), order.end());
    QList<int> all(count);
    std::iota(all.begin(), all.end(), 0);
    return order == all;
}

QString randomText(QRandomGenerator &random)
{
    static const QString alphabet = u"aAbBzZäÄ09 ,.-"_s;
    QString text;
    for (int n = random.bounded(5); n > 0; --n)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

QString randomNumber(QRandomGenerator &random)
{
    return german.toString(random.bounded(-50, 50) / 4.0);
}

QString randomTime(QRandomGenerator &random)
{
    return u"%1:%2"_s.arg(random.bounded(24)).arg(random.bounded(60), 2, 10, QChar(u'0'));
}

// A table: header row, then rows of a name, a group and a number.
QList<QStringList> table(const QList<QStringList> &data)
{
    return QList<QStringList>{{u"Name"_s, u"Gruppe"_s, u"Zahl"_s}} + data;
}

} // namespace

class TestSortOrder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void order_data()
    {
        QTest::addColumn<TSortStyle>("style");
        QTest::addColumn<TSortDirection>("direction");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("expected");
        using enum TSortStyle;
        constexpr auto up = TSortDirection::sdAscending;
        constexpr auto down = TSortDirection::sdDescending;
        QTest::newRow("text") << ssNormal << up << QStringList{u"b"_s, u"a"_s, u"c"_s}
                              << QList<int>{1, 0, 2};
        QTest::newRow("text down")
            << ssNormal << down << QStringList{u"b"_s, u"a"_s, u"c"_s} << QList<int>{2, 0, 1};
        QTest::newRow("equal keys keep their order")
            << ssNormal << up << QStringList{u"x"_s, u"a"_s, u"X"_s, u"A"_s}
            << QList<int>{1, 3, 0, 2};
        QTest::newRow("equal keys keep their order down")
            << ssNormal << down << QStringList{u"x"_s, u"a"_s, u"X"_s, u"A"_s}
            << QList<int>{0, 2, 1, 3};
        QTest::newRow("umlauts after z")
            << ssNormal << up << QStringList{u"Zebra"_s, u"Äpfel"_s, u"apfel"_s, u"öl"_s}
            << QList<int>{2, 0, 1, 3};
        QTest::newRow("numbers, empty first")
            << ssNumeric << up << QStringList{u"10"_s, QString(), u"9"_s} << QList<int>{1, 2, 0};
        QTest::newRow("numbers down, empty last")
            << ssNumeric << down << QStringList{u"10"_s, QString(), u"9"_s} << QList<int>{0, 2, 1};
        QTest::newRow("runs") << ssNumericExtended << up
                              << QStringList{u"Lauf 10"_s, u"Lauf 9"_s, u"Lauf 1"_s}
                              << QList<int>{2, 1, 0};
        QTest::newRow("runs with empty texts")
            << ssNumericExtended << up << QStringList{u"b"_s, QString(), u"a"_s, QString()}
            << QList<int>{1, 3, 2, 0};
        QTest::newRow("nothing") << ssNormal << up << QStringList{} << QList<int>{};
    }

    void order()
    {
        QFETCH(TSortStyle, style);
        QFETCH(TSortDirection, direction);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, expected);
        QCOMPARE(sortOrder(texts, optionsFor(style, direction), german), expected);
    }

    // Any table: a stable permutation that agrees with the comparison.
    void randomTables()
    {
        QRandomGenerator random(20240201);
        const QList<QPair<TSortStyle, QString (*)(QRandomGenerator &)>> kinds{
            {TSortStyle::ssNormal, randomText},
            {TSortStyle::ssNumeric, randomNumber},
            {TSortStyle::ssTime, randomTime},
        };
        for (int round = 0; round < 300; ++round) {
            const auto &[style, make] = kinds[round % kinds.size()];
            QStringList texts;
            for (int n = random.bounded(60); n > 0; --n)
                texts << make(random);
            TSortOptions options =
                optionsFor(style, random.bounded(2) == 0 ? TSortDirection::sdAscending
                                                         : TSortDirection::sdDescending);
            options.SortCaseSensitive = random.bounded(2) == 0;

            const QList<int> order = sortOrder(texts, options, german);
            QVERIFY(isPermutation(order, int(texts.size())));
            const SortComparer comparer(texts, options, german);
            for (qsizetype n = 1; n < order.size(); ++n) {
                QVERIFY2(comparer.compare(order[n - 1], order[n]) < 0,
                         qPrintable(texts[order[n - 1]] + u" | "_s + texts[order[n]]));
                if (comparer.compareTexts(order[n - 1], order[n]) == 0)
                    QVERIFY(order[n - 1] < order[n]);
            }
        }
    }

    void contradictoryComparisonStillPermutes()
    {
        QRandomGenerator random(7);
        TSortOptions options = optionsFor(TSortStyle::ssCustom);
        options.CustomCompare = [&random](const QString &, const QString &) {
            return random.bounded(3) - 1;
        };
        QStringList texts;
        for (int n = 0; n < 500; ++n)
            texts << QString::number(n);
        QVERIFY(isPermutation(sortOrder(texts, options, german), 500));

        // Mixed numbers and words under ssNumeric need not be transitive either.
        texts = QStringList{u"10"_s, u"5x"_s, u"9"_s, u"10"_s, u"5x"_s, u"9"_s};
        QVERIFY(isPermutation(sortOrder(texts, optionsFor(TSortStyle::ssNumeric), german), 6));
    }

    void twoKeys()
    {
        const auto rows = table({{u"Cem"_s, u"B"_s, u"3"_s},
                                 {u"Anna"_s, u"B"_s, u"1"_s},
                                 {u"Ben"_s, u"A"_s, u"2"_s},
                                 {u"Dora"_s, u"A"_s, u"10"_s}});
        TSortOptions options;
        // Group first, then name.
        QCOMPARE(sortRowOrder(rows, {1, 0}, options, {}, german), (QList<int>{3, 4, 2, 1}));
        // Group first, then number: Dora's 10 sorts after Ben's 2 numerically, before as text.
        options.SortStyle = TSortStyle::ssNumeric;
        QCOMPARE(sortRowOrder(rows, {1, 2}, options, {}, german), (QList<int>{3, 4, 2, 1}));
        options.SortStyle = TSortStyle::ssNormal;
        QCOMPARE(sortRowOrder(rows, {1, 2}, options, {}, german), (QList<int>{4, 3, 2, 1}));
        // Descending on both keys.
        options.SortDirection = TSortDirection::sdDescending;
        QCOMPARE(sortRowOrder(rows, {1, 0}, options, {}, german), (QList<int>{1, 2, 4, 3}));
    }

    void equalRowsKeepOrderOnEveryKey()
    {
        const auto rows = table({{u"x"_s, u"1"_s}, {u"y"_s, u"1"_s}, {u"x"_s, u"1"_s}});
        for (const auto direction : {TSortDirection::sdAscending, TSortDirection::sdDescending}) {
            TSortOptions options = optionsFor(TSortStyle::ssNormal, direction);
            QCOMPARE(sortRowOrder(rows, {1}, options, {}, german), (QList<int>{1, 2, 3}));
        }
    }

    void headerAndShortRows()
    {
        // The header row never moves; a row without the key column has an empty key.
        const QList<QStringList> rows{{u"a"_s}, {u"z"_s, u"2"_s}, {u"y"_s}, {u"x"_s, u"1"_s}};
        TSortOptions options;
        QCOMPARE(sortRowOrder(rows, {1}, options, {}, german), (QList<int>{2, 3, 1}));
        QCOMPARE(sortRowOrder({rows[0]}, {0}, options, {}, german), QList<int>{});
        QCOMPARE(sortRowOrder({}, {0}, options, {}, german), QList<int>{});
    }

    void detectedStyleStays()
    {
        const auto rows = table({{u"Cem"_s, u"B"_s, u"10"_s}, {u"Anna"_s, u"A"_s, u"9"_s}});
        TSortOptions options = optionsFor(TSortStyle::ssAutomatic);
        QCOMPARE(sortRowOrder(rows, {2}, options, {}, german), (QList<int>{2, 1}));
        QCOMPARE(options.SortStyle, TSortStyle::ssNumeric);
        // A later sort of a name column no longer detects: names compare as text per pair.
        QCOMPARE(sortRowOrder(rows, {0}, options, {}, german), (QList<int>{2, 1}));
        QCOMPARE(options.SortStyle, TSortStyle::ssNumeric);
    }

    void styleAskedPerKey()
    {
        const auto rows = table({{u"b"_s, u"10"_s}, {u"a"_s, u"9"_s}, {u"a"_s, u"10"_s}});
        TSortOptions options = optionsFor(TSortStyle::ssAutomatic);
        QList<QPair<int, TSortStyle>> asked;
        const TGetSortStyle getSortStyle = [&asked](int col, TSortStyle &style) {
            asked.append({col, style});
            style = col == 1 ? TSortStyle::ssNumeric : TSortStyle::ssNormal;
        };
        // Least significant key first; the handler sees the previous answer.
        QCOMPARE(sortRowOrder(rows, {0, 1}, options, getSortStyle, german), (QList<int>{2, 3, 1}));
        const QList<QPair<int, TSortStyle>> expected{{1, TSortStyle::ssAutomatic},
                                                     {0, TSortStyle::ssNumeric}};
        QCOMPARE(asked, expected);
        QCOMPARE(options.SortStyle, TSortStyle::ssNormal);
    }
};

QTEST_GUILESS_MAIN(TestSortOrder)
#include "tst_SortOrder.moc"
