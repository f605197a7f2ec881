#include "protocol/SplitSummary.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

SplitBlock withFinalTimes(const QStringList &finals)
{
    SplitBlock block;
    for (qsizetype i = 0; i < finals.size(); ++i)
        block[i + 1] = {u"1,00"_s, u"2,00"_s, u"3,00"_s, finals[i]};
    return block;
}

} // namespace

class tst_SplitSummary : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneAttemptIsItsOwnMean();
    void missingBarrierTimesStayOutOfTheMean();
    void slowestOfFiveIsStruckOut_data();
    void slowestOfFiveIsStruckOut();
    void meanRoundsHalvesToEven_data();
    void meanRoundsHalvesToEven();
    void nextAttemptRowFillsGapsThenWraps();
    void attemptTextsMarkMissingTimes();
    void protocolTimeFallsBackToLoadedTime();
    void blocksFollowTheirProtocolRow();
};

void tst_SplitSummary::oneAttemptIsItsOwnMean()
{
    SplitBlock block;
    block[1] = {u"1,05"_s, u"2,10"_s, u"3,01"_s, u"12,34"_s};
    const SplitSummary s = summarizeSplits(block);
    QCOMPARE(s.filledAttempts, 1);
    QCOMPARE(s.excludedRow, kNoExcludedRow);
    QCOMPARE(s.means, (SplitRow{u"1,05"_s, u"2,10"_s, u"3,01"_s, u"12,34"_s}));
    QCOMPARE(protocolTime(s, {}), u"12,34"_s);

    const SplitSummary empty = summarizeSplits(SplitBlock{});
    QCOMPARE(empty.filledAttempts, 0);
    QCOMPARE(empty.means, (SplitRow{u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s}));
}

void tst_SplitSummary::missingBarrierTimesStayOutOfTheMean()
{
    SplitBlock block;
    block[1] = {u"1,00"_s, u"-"_s, u"3,00"_s, u"12,00"_s};
    block[3] = {u"1,20"_s, u"2,20"_s, u"-"_s, u"13,00"_s};
    const SplitSummary s = summarizeSplits(block);
    QCOMPARE(s.filledAttempts, 2);
    QCOMPARE(s.means, (SplitRow{u"1,10"_s, u"2,20"_s, u"3,00"_s, u"12,50"_s}));

    // Blanks and line breaks alone do not make an attempt.
    block[2] = {u" "_s, u"\r\n"_s, {}, u"\t"_s};
    QCOMPARE(summarizeSplits(block).filledAttempts, 2);
}

void tst_SplitSummary::slowestOfFiveIsStruckOut_data()
{
    QTest::addColumn<QStringList>("finals");
    QTest::addColumn<int>("excluded");
    QTest::addColumn<QString>("mean");
    QTest::newRow("last of equal slowest")
        << QStringList{u"10,00"_s, u"11,00"_s, u"12,00"_s, u"12,00"_s, u"9,00"_s} << 5
        << u"10,50"_s;
    QTest::newRow("slowest first")
        << QStringList{u"15,00"_s, u"11,00"_s, u"12,00"_s, u"10,00"_s, u"9,00"_s} << 2
        << u"10,50"_s;
    QTest::newRow("all equal") << QStringList{u"9,00"_s, u"9,00"_s, u"9,00"_s, u"9,00"_s, u"9,00"_s}
                               << 6 << u"9,00"_s;
    QTest::newRow("four attempts") << QStringList{u"10,00"_s, u"11,00"_s, u"12,00"_s, u"15,00"_s}
                                   << int(kNoExcludedRow) << u"12,00"_s;
}

void tst_SplitSummary::slowestOfFiveIsStruckOut()
{
    QFETCH(QStringList, finals);
    QFETCH(int, excluded);
    QFETCH(QString, mean);
    const SplitSummary s = summarizeSplits(withFinalTimes(finals));
    QCOMPARE(s.filledAttempts, finals.size());
    QCOMPARE(s.excludedRow, excluded);
    QCOMPARE(s.means[3], mean);
    QCOMPARE(s.means[0], u"1,00"_s);
}

void tst_SplitSummary::meanRoundsHalvesToEven_data()
{
    QTest::addColumn<qint64>("sum");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint32>("mean");
    QTest::newRow("half below even") << qint64(1001) << qint64(2) << 500;
    QTest::newRow("half above odd") << qint64(1003) << qint64(2) << 502;
    QTest::newRow("more than half") << qint64(2002) << qint64(3) << 667;
    QTest::newRow("less than half") << qint64(2000) << qint64(3) << 667;
    QTest::newRow("a quarter") << qint64(1001) << qint64(4) << 250;
    QTest::newRow("no count") << qint64(0) << qint64(0) << 0;
    QTest::newRow("five long times") << qint64(5) * 2147483000 << qint64(5) << 2147483000;
}

void tst_SplitSummary::meanRoundsHalvesToEven()
{
    QFETCH(qint64, sum);
    QFETCH(qint64, count);
    QFETCH(qint32, mean);
    QCOMPARE(meanMilliseconds(sum, count), mean);
}

void tst_SplitSummary::nextAttemptRowFillsGapsThenWraps()
{
    SplitBlock block;
    QCOMPARE(nextAttemptRow(block), 2);
    block[1] = {u"-"_s, u"-"_s, u"-"_s, u"9,00"_s};
    block[3] = block[1];
    QCOMPARE(nextAttemptRow(block), 3);
    block[2] = {u" "_s, {}, {}, {}};
    QCOMPARE(nextAttemptRow(block), 3);
    block[2] = block[1];
    QCOMPARE(nextAttemptRow(block), 5);
    block[4] = block[1];
    block[5] = block[1];
    QCOMPARE(nextAttemptRow(block), 2);
}

void tst_SplitSummary::attemptTextsMarkMissingTimes()
{
    QCOMPARE(attemptTexts(12340, {1050, 0, 3010, 12340}),
             (SplitRow{u"1,05"_s, u"-"_s, u"3,01"_s, u"12,34"_s}));
    QCOMPARE(attemptTexts(62345, {0, 0, 0, 62345}),
             (SplitRow{u"-"_s, u"-"_s, u"-"_s, u"1.02,34"_s}));
    QCOMPARE(attemptTexts(0, {0, 0, 0, 0}), (SplitRow{u"-"_s, u"-"_s, u"-"_s, u"-"_s}));
}

void tst_SplitSummary::protocolTimeFallsBackToLoadedTime()
{
    SplitSummary none;
    none.means = {u"0,00"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s};
    QCOMPARE(protocolTime(none, {}), u"0,00"_s);
    QCOMPARE(protocolTime(none, u"13,50"_s), u"13,50"_s);
    SplitSummary one = none;
    one.filledAttempts = 1;
    one.means[3] = u"12,00"_s;
    QCOMPARE(protocolTime(one, u"13,50"_s), u"12,00"_s);
}

void tst_SplitSummary::blocksFollowTheirProtocolRow()
{
    QCOMPARE(splitBlockFirstRow(1), 0);
    QCOMPARE(splitBlockFirstRow(3), 12);
    QCOMPARE(splitStoreRowCount(1), 6);
    QCOMPARE(splitStoreRowCount(2), 12);
}

QTEST_GUILESS_MAIN(tst_SplitSummary)
#include "tst_SplitSummary.moc"
