#include "protocol/AttemptCursor.h"
#include "protocol/Protocol.h"
#include "protocol/ProtocolFormats.h"
#include "protocol/SplitSummary.h"

#include "../FileBytes.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace protocol;

namespace {

// An attempt from "first,second,third,finish" in milliseconds, "-" for none.
AttemptTimes attemptOf(const QString &text)
{
    AttemptTimes times;
    const QStringList parts = text.split(u',');
    for (int slot = 0; slot < kCaptureSlots && slot < parts.size(); ++slot) {
        if (parts[slot] != u"-")
            times[slot] = parts[slot].toInt();
    }
    return times;
}

// An athlete with attempts given as "a,b,c,d|a,b,c,d|..." ("" for one not run).
Athlete athleteWith(const QString &attempts, const QString &loadedTime = {})
{
    Athlete athlete;
    athlete.startNumber = u"1"_s;
    athlete.loadedTime = loadedTime;
    const QStringList list = attempts.split(u'|');
    for (int i = 0; i < MaxAttempts && i < list.size(); ++i) {
        if (!list[i].isEmpty())
            athlete.attempts[i] = attemptOf(list[i]);
    }
    return athlete;
}

QString meansText(const AthleteSummary &summary)
{
    QStringList means;
    for (const qint32 ms : summary.means)
        means << QString::number(ms);
    return means.join(u',');
}

// Each athlete's final times, "9000 - 11000" with "-" for an attempt not run,
// athletes separated by " / ".
QString finals(const Protocol &protocol)
{
    QStringList athletes;
    for (const Athlete &athlete : protocol.athletes()) {
        QStringList times;
        for (const std::optional<AttemptTimes> &attempt : athlete.attempts)
            times << (attempt && attempt->back() ? QString::number(*attempt->back()) : u"-"_s);
        athletes << athlete.startNumber + u": "_s + times.join(u' ');
    }
    return athletes.join(u" / "_s);
}

Protocol protocolOf(const QStringList &startNumbers)
{
    QList<Athlete> athletes;
    for (const QString &number : startNumbers)
        athletes.append(Athlete{number, {}, {}, {}, {}});
    Protocol protocol;
    protocol.replace(athletes);
    return protocol;
}

} // namespace

class tst_Protocol : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void summaryFollowsTheSplitTableRules_data();
    void summaryFollowsTheSplitTableRules();
    void runStartFindsOrMakesTheRow_data();
    void runStartFindsOrMakesTheRow();
    void rowsAreRemovedAndTheProtocolNeverEmpty();
    void runsGoIntoTheChosenAttempt_data();
    void runsGoIntoTheChosenAttempt();
    void textFilesRoundTrip_data();
    void textFilesRoundTrip();
    void modelWritesTheTextFile();
};

// Attempts -> means per column, struck attempt, the protocol's "Zeit"; and
// the split table's own rules over the same table as text agree.
void tst_Protocol::summaryFollowsTheSplitTableRules_data()
{
    QTest::addColumn<QString>("attempts");
    QTest::addColumn<QString>("loadedTime");
    QTest::addColumn<QString>("means");
    QTest::addColumn<int>("struck");
    QTest::addColumn<QString>("time");

    QTest::newRow("no attempt") << QString() << QString() << u"0,0,0,0"_s << -1 << u"0,00"_s;
    QTest::newRow("no attempt, loaded time")
        << QString() << u"13,50"_s << u"0,0,0,0"_s << -1 << u"13,50"_s;
    QTest::newRow("one attempt is its own mean")
        << u"1050,2100,3010,12340"_s << u"13,50"_s << u"1050,2100,3010,12340"_s << -1 << u"12,34"_s;
    QTest::newRow("missing splits stay out of the means")
        << u"1000,-,3000,12000||1200,2200,-,13000"_s << QString() << u"1100,2200,3000,12500"_s << -1
        << u"12,50"_s;
    QTest::newRow("slowest of five struck, of equal ones the last")
        << u"1000,2000,3000,10000|1000,2000,3000,11000|1000,2000,3000,12000|"
           u"1000,2000,3000,12000|1000,2000,3000,9000"_s
        << QString() << u"1000,2000,3000,10500"_s << 3 << u"10,50"_s;
    QTest::newRow("four attempts: nothing struck")
        << u"-,-,-,10000|-,-,-,11000||-,-,-,12000|-,-,-,15000"_s << QString() << u"0,0,0,12000"_s
        << -1 << u"12,00"_s;
    QTest::newRow("times count as shown, in hundredths")
        << u"1009,-,-,10005|1001,-,-,10019"_s << QString() << u"1000,0,0,10005"_s << -1
        << u"10,00"_s;
    QTest::newRow("an attempt without any time is still run")
        << u"-,-,-,-|-,-,-,11000"_s << QString() << u"0,0,0,11000"_s << -1 << u"11,00"_s;
    QTest::newRow("a time of 0 is run but no time")
        << u"0,500,-,0|-,-,-,-|-,-,-,-|-,-,-,-|-,-,-,-"_s << QString() << u"0,500,0,0"_s << 4
        << u"0,00"_s;
    QTest::newRow("an hour or more reads as no time")
        << u"-,-,-,3600000|-,-,-,10000"_s << QString() << u"0,0,0,10000"_s << -1 << u"10,00"_s;
}

void tst_Protocol::summaryFollowsTheSplitTableRules()
{
    QFETCH(QString, attempts);
    QFETCH(QString, loadedTime);
    QFETCH(QString, means);
    QFETCH(int, struck);
    QFETCH(QString, time);

    const Athlete athlete = athleteWith(attempts, loadedTime);
    const AthleteSummary summary = summarize(athlete);
    QCOMPARE(meansText(summary), means);
    QCOMPARE(summary.struckAttempt.value_or(-1), struck);
    QCOMPARE(summary.time, time);

    // The split grid's text rules give the same table.
    const ::SplitBlock texts = splitTexts(athlete);
    const SplitSummary fromTexts = summarizeSplits(texts);
    QCOMPARE(fromTexts.means, texts[0]);
    QCOMPARE(fromTexts.filledAttempts, summary.attemptsRun);
    QCOMPARE(fromTexts.excludedRow, struck < 0 ? kNoExcludedRow : kFirstAttemptRow + struck);
    QCOMPARE(protocolTime(fromTexts, loadedTime), time);
}

// Rows before -> start number of the run -> the row it goes to, rows after.
void tst_Protocol::runStartFindsOrMakesTheRow_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("startNumber");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("first run uses the empty row")
        << QStringList{QString()} << u"1"_s << 0 << QStringList{u"1"_s};
    QTest::newRow("a new start number adds a row")
        << QStringList{u"1"_s} << u"2"_s << 1 << QStringList{u"1"_s, u"2"_s};
    QTest::newRow("a known start number reuses its row")
        << QStringList{u"1"_s, u"2"_s} << u"1"_s << 0 << QStringList{u"1"_s, u"2"_s};
    QTest::newRow("matched as text")
        << QStringList{u"07"_s} << u"7"_s << 1 << QStringList{u"07"_s, u"7"_s};
    QTest::newRow("an empty last row is taken")
        << QStringList{u"1"_s, QString()} << u"3"_s << 1 << QStringList{u"1"_s, u"3"_s};
    QTest::newRow("an empty row before the last stays")
        << QStringList{QString(), u"2"_s} << u"3"_s << 2 << QStringList{QString(), u"2"_s, u"3"_s};
    QTest::newRow("the first of equal numbers")
        << QStringList{u"4"_s, u"4"_s} << u"4"_s << 0 << QStringList{u"4"_s, u"4"_s};
}

void tst_Protocol::runStartFindsOrMakesTheRow()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, startNumber);
    QFETCH(int, index);
    QFETCH(QStringList, after);

    Protocol protocol = protocolOf(rows);
    QCOMPARE(protocol.openAthlete(startNumber), index);
    QStringList numbers;
    for (const Athlete &athlete : protocol.athletes())
        numbers << athlete.startNumber;
    QCOMPARE(numbers, after);
}

void tst_Protocol::rowsAreRemovedAndTheProtocolNeverEmpty()
{
    Protocol protocol = protocolOf({u"1"_s, u"2"_s, u"3"_s});
    protocol.storeAttempt(2, 0, attemptOf(u"-,-,-,9000"_s));
    QVERIFY(protocol.hasResults());

    // The rows after a removed one move up with their attempts.
    QVERIFY(protocol.removeAthlete(1));
    QCOMPARE(finals(protocol), u"1: - - - - - / 3: 9000 - - - -"_s);
    // Indexes out of range change nothing.
    for (const qsizetype bad : {qsizetype(-1), qsizetype(2)}) {
        QVERIFY(!protocol.removeAthlete(bad));
        QVERIFY(!protocol.setName(bad, u"x"_s));
        QVERIFY(!protocol.storeAttempt(bad, 0, {}));
    }
    QVERIFY(!protocol.storeAttempt(0, 5, {}));
    QVERIFY(!protocol.removeAttempt(0, -1));
    QCOMPARE(protocol.size(), 2);

    // The only row is emptied, not removed; then there is nothing to save.
    QVERIFY(protocol.removeAthlete(0));
    QVERIFY(protocol.removeAthlete(0));
    QCOMPARE(protocol.size(), 1);
    QCOMPARE(protocol.athlete(0), Athlete{});
    QVERIFY(!protocol.hasResults());

    // An empty first row disables saving even with later rows filled.
    protocol.replace({Athlete{}, Athlete{u"2"_s, {}, {}, {}, {}}});
    QVERIFY(!protocol.hasResults());
    protocol.replace({});
    QCOMPARE(protocol, Protocol());
    protocol = protocolOf({u"1"_s});
    protocol.clear();
    QCOMPARE(protocol, Protocol());
}

// Steps on one protocol and its cursor, separated by blanks:
//   run N MS     a run for start number N with final time MS
//   pick I       the operator picks attempt I (0 to 4)
//   show I       the athlete of row I is shown
//   remove I     attempt I of the athlete shown is removed
// -> every athlete's final times.
void tst_Protocol::runsGoIntoTheChosenAttempt_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("finals");

    QTest::newRow("attempts fill in order")
        << u"run 1 10000 run 1 11000 run 1 12000"_s << u"1: 10000 11000 12000 - -"_s;
    QTest::newRow("a sixth run overwrites the first")
        << u"run 1 10000 run 1 11000 run 1 12000 run 1 12000 run 1 9000 run 1 8000"_s
        << u"1: 8000 11000 12000 12000 9000"_s;
    QTest::newRow("the operator's pick holds through the start")
        << u"run 1 10000 run 1 11000 run 1 12000 run 1 12000 run 1 9000 pick 3 run 1 8000"_s
        << u"1: 10000 11000 12000 8000 9000"_s;
    QTest::newRow("after the picked run the next free attempt")
        << u"run 1 10000 pick 3 run 1 11000 run 1 12000"_s << u"1: 10000 12000 - 11000 -"_s;
    QTest::newRow("a pick ends when another athlete is shown")
        << u"run 1 10000 run 2 20000 show 0 pick 4 show 1 show 0 run 1 11000"_s
        << u"1: 10000 11000 - - - / 2: 20000 - - - -"_s;
    QTest::newRow("a pick for another athlete does not carry over")
        << u"run 1 10000 run 2 20000 pick 3 run 1 11000"_s
        << u"1: 10000 11000 - - - / 2: 20000 - - - -"_s;
    QTest::newRow("a removed attempt is filled next")
        << u"run 1 10000 run 1 11000 run 1 12000 show 0 remove 1 run 1 13000"_s
        << u"1: 10000 13000 12000 - -"_s;
    QTest::newRow("a pick out of range is refused")
        << u"run 1 10000 pick 5 run 1 11000"_s << u"1: 10000 11000 - - -"_s;
}

void tst_Protocol::runsGoIntoTheChosenAttempt()
{
    QFETCH(QString, script);
    QFETCH(QString, finals);

    Protocol protocol;
    AttemptCursor cursor;
    const QStringList steps = script.split(u' ');
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString &step = steps[i];
        if (step == u"run") {
            cursor.openForRun(protocol, steps[++i]);
            const qint32 final = steps[++i].toInt();
            RunTimes times{final, {}};
            times.splits.back() = final;
            QVERIFY(cursor.storeRun(protocol, times));
        } else if (step == u"pick") {
            const int attempt = steps[++i].toInt();
            QCOMPARE(cursor.pickAttempt(attempt), attempt < MaxAttempts);
        } else if (step == u"show") {
            cursor.show(protocol, steps[++i].toInt());
        } else if (step == u"remove") {
            QVERIFY(protocol.removeAttempt(cursor.athlete(), steps[++i].toInt()));
        } else {
            QFAIL(qPrintable(u"unknown step "_s + step));
        }
    }
    QCOMPARE(::finals(protocol), finals);
}

// Text files read into the model and written from it come back byte for byte.
void tst_Protocol::textFilesRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("golden file") << readAll(QStringLiteral(TAVRIN_TEST_DATA_DIR "/protocol.txt"));
    QTest::newRow("written from the model")
        << readAll(QStringLiteral(TAVRIN_TEST_DATA_DIR "/model.txt"));
    QTest::newRow("header only") << QByteArray("Nr.\tName\tZeit\tPlatz\t\r\n");
    QTest::newRow("names beyond the code page")
        << QByteArray("\xEF\xBB\xBFNr.\tName\tZeit\tPlatz\t\r\n"
                      "1\t\xC5\x81ukasz \xE2\x82\xAC\t9,99\t1\t\r\n");
}

void tst_Protocol::textFilesRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!bytes.isEmpty());
    const Protocol protocol = protocolFromText(bytes);
    QCOMPARE(protocolTextBytes(protocol), bytes);
    // Loaded rows have no attempts: their times are the loaded ones.
    for (const Athlete &athlete : protocol.athletes())
        QCOMPARE(summarize(athlete).attemptsRun, 0);
}

void tst_Protocol::modelWritesTheTextFile()
{
    QList<Athlete> athletes(5);
    // Her attempts outweigh the time a file once brought.
    athletes[0] = {u"3"_s, u"Berg, Anna"_s, {}, u"99,99"_s, {}};
    const int finalsOfAnna[] = {10000, 11000, 12000, 12000, 9000};
    for (int i = 0; i < MaxAttempts; ++i)
        athletes[0].attempts[i] = attemptOf(u"1000,-,3000,"_s + QString::number(finalsOfAnna[i]));
    athletes[1] = {u"12"_s, u"Jörg Groß"_s, u"2"_s, u"13,57"_s, {}};
    athletes[2] = {QString(), u"Ohne Nummer"_s, {}, {}, {}};
    athletes[3] = {u"4"_s, {}, {}, {}, {}};
    athletes[4] = {u"5"_s, u"Lang"_s, {}, {}, {}};
    athletes[4].attempts[2] = attemptOf(u"-,-,-,62345"_s);

    Protocol protocol;
    protocol.replace(athletes);
    QCOMPARE(protocolTextBytes(protocol),
             readAll(QStringLiteral(TAVRIN_TEST_DATA_DIR "/model.txt")));
}

QTEST_GUILESS_MAIN(tst_Protocol)
#include "tst_Protocol.moc"
