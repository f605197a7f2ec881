#include "timing/RunEngine.h"

#include <QMetaEnum>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A run engine on a clock the test sets, driven by a script of steps
// separated by blanks:
//   @1000          the clock reads 1000 (line events are stamped with it)
//   @+250          the clock moves on by 250
//   DSR+ DCD- CTS+ a line goes on (+) or off (-) at the clock's tick
//   F5 F9 F7       start, stop, reset
//   F11 F12        toggle the start lock, the stop lock
//   T1 ... T5      a test key
//   tick           the running display's refresh
//   mode=1         the line mode; lockout=0 the lockout in ms
//   forget         the port was reopened
// Signals are written into a log, one line each.
struct Rig
{
    quint32 now = 1000;
    RunEngine engine{[this] { return now; }};
    QStringList log;

    Rig()
    {
        engine.setLockoutInterval(100);
        QObject::connect(&engine, &RunEngine::stateChanged, &engine, [this](RunEngine::State s) {
            log << u"state "_s +
                       QString::fromLatin1(QMetaEnum::fromType<RunEngine::State>().key(int(s)));
        });
        QObject::connect(&engine, &RunEngine::timeShown, &engine,
                         [this](DisplayRow row, qint32 ms, const QList<DigitShow> &digits) {
                             if (digits != digitsForTime(row, ms))
                                 log << u"wrong digits"_s;
                             log << (row == DisplayRow::Upper ? u"upper "_s : u"lower "_s) +
                                        QString::number(ms);
                         });
        QObject::connect(&engine, &RunEngine::distanceLabelChanged, &engine,
                         [this](bool visible, const QString &text) {
                             log << (visible ? u"label '"_s + text + u'\'' : u"label hidden"_s);
                         });
        QObject::connect(&engine, &RunEngine::displayCleared, &engine,
                         [this] { log << u"cleared"_s; });
        QObject::connect(&engine, &RunEngine::runStarted, &engine,
                         [this](int number) { log << u"started "_s + QString::number(number); });
        QObject::connect(&engine, &RunEngine::intermediateCaptured, &engine,
                         [this](CaptureSlot slot, qint32 ms) {
                             log << u"captured %1 %2"_s.arg(int(slot)).arg(ms);
                         });
        QObject::connect(&engine, &RunEngine::runFinished, &engine,
                         [this](const RunTimes &times) { log << u"finished "_s + text(times); });
        QObject::connect(
            &engine, &RunEngine::lockChanged, &engine, [this](RunEngine::Lock lock, bool armed) {
                log << (lock == RunEngine::Lock::Start ? u"start lock "_s : u"stop lock "_s) +
                           (armed ? u"armed"_s : u"blocked"_s);
            });
        QObject::connect(
            &engine, &RunEngine::startNumbersChanged, &engine,
            [this](int current, int next) { log << u"numbers %1 %2"_s.arg(current).arg(next); });
    }

    // "final: first,second,third,finish" with "-" for a slot not taken.
    static QString text(const RunTimes &times)
    {
        QStringList taken;
        for (const std::optional<qint32> &ms : times.splits)
            taken << (ms ? QString::number(*ms) : u"-"_s);
        return QString::number(times.finalTime) + u": "_s + taken.join(u',');
    }

    void run(const QString &script)
    {
        static const QRegularExpression line(u"^(DSR|DCD|CTS)([+-])$"_s);
        for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
            if (step.startsWith(u"@+"))
                now += step.mid(2).toUInt();
            else if (step.startsWith(u'@'))
                now = step.mid(1).toUInt(nullptr, 0);
            else if (const auto m = line.match(step); m.hasMatch())
                engine.lineEvent(lineNamed(m.captured(1)), m.captured(2) == u"+", now);
            else if (step == u"F5")
                engine.start();
            else if (step == u"F9")
                engine.stop();
            else if (step == u"F7")
                engine.reset();
            else if (step == u"F11")
                engine.toggleLock(RunEngine::Lock::Start);
            else if (step == u"F12")
                engine.toggleLock(RunEngine::Lock::Stop);
            else if (step.startsWith(u'T') && step.size() == 2)
                engine.testKey(step.mid(1).toInt());
            else if (step == u"tick")
                engine.displayTick();
            else if (step.startsWith(u"mode="))
                engine.setMode(step.mid(5).toInt());
            else if (step.startsWith(u"lockout="))
                engine.setLockoutInterval(step.mid(8).toInt());
            else if (step == u"forget")
                engine.forgetLineLevels();
            else
                QFAIL(qPrintable(u"unknown step "_s + step));
        }
    }

    static RunEngine::Line lineNamed(const QString &name)
    {
        return name == u"DSR"   ? RunEngine::Line::Start
               : name == u"DCD" ? RunEngine::Line::Intermediate
                                : RunEngine::Line::Stop;
    }
};

QString stateName(RunEngine::State state)
{
    return QString::fromLatin1(QMetaEnum::fromType<RunEngine::State>().key(int(state)));
}

} // namespace

class tst_RunEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runs_data();
    void runs();
    void signalsCarryTheRun_data();
    void signalsCarryTheRun();
    void startNumbers_data();
    void startNumbers();
    void lockoutEndsByTheClock_data();
    void lockoutEndsByTheClock();
    void runningDisplayFollowsTheClock();
};

// Script -> state, the run's times so far ("final: slots"), the locks.
void tst_RunEngine::runs_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("times");
    QTest::addColumn<bool>("startArmed");
    QTest::addColumn<bool>("stopArmed");

    // The start line and its lock.
    QTest::newRow("start line unarmed does nothing")
        << u"DSR+ @+300 DSR- @+300 DSR+"_s << u"Ready"_s << u"0: -,-,-,-"_s << false << false;
    QTest::newRow("armed start line starts, blocks the lock")
        << u"F11 DSR+ @+300 DSR-"_s << u"Running"_s << u"0: -,-,-,-"_s << false << false;
    QTest::newRow("mode 1 starts when the line goes off")
        << u"mode=1 F11 DSR+ @+10 DSR-"_s << u"Running"_s << u"0: -,-,-,-"_s << false << false;
    QTest::newRow("mode 1 ignores the line going on")
        << u"mode=1 DSR- F11 DSR+"_s << u"Ready"_s << u"0: -,-,-,-"_s << true << false;
    QTest::newRow("another mode: lines never act")
        << u"mode=5 F11 DSR+ @+10 DSR- F5 DCD+ @+10 DCD-"_s << u"Running"_s << u"0: -,-,-,-"_s
        << false << false;
    QTest::newRow("start line in a run blocks an armed lock")
        << u"F5 F11 DSR+"_s << u"Running"_s << u"0: -,-,-,-"_s << false << false;
    QTest::newRow("start lock stays blocked across a reset")
        << u"F11 DSR+ F9 F7 @+500 DSR- @+500 DSR+"_s << u"Ready"_s << u"0: -,-,-,-"_s << false
        << false;

    // Barriers in order; lockout 100 ms.
    QTest::newRow("whole run by the lines")
        << u"F11 DSR+ @2000 DCD+ @+50 DCD- @4000 CTS+ @+50 CTS- @5500 DCD+ @+50 DCD- @7340 CTS+"_s
        << u"Stopped"_s << u"6340: 1000,3000,4500,6340"_s << false << false;
    QTest::newRow("DCD twice within the lockout takes one time")
        << u"F5 @1500 DCD+ @+40 DCD- @+40 DCD+"_s << u"Running"_s << u"0: 500,-,-,-"_s << false
        << false;
    QTest::newRow("second DCD before the second intermediate is ignored")
        << u"F5 @1500 DCD+ @1700 DCD- @1800 DCD+ @1900 CTS+ @2100 DCD- @2200 DCD+ @2400 CTS- "
           u"@2600 CTS+"_s
        << u"Stopped"_s << u"1600: 500,900,1200,1600"_s << false << false;
    QTest::newRow("finish blocked: stop line ignored")
        << u"F5 @1500 CTS+ @1700 CTS- @1900 CTS+"_s << u"Running"_s << u"0: -,500,-,-"_s << false
        << false;
    QTest::newRow("finish armed by hand")
        << u"F5 @1500 CTS+ @1700 CTS- F12 @1900 CTS+"_s << u"Stopped"_s << u"900: -,500,-,900"_s
        << false << false;
    QTest::newRow("first intermediate missed: third taken as first, finish blocked")
        << u"F5 @2000 CTS+ @2500 DCD+ @3000 CTS- @3500 CTS+"_s << u"Running"_s
        << u"0: 1500,1000,-,-"_s << false << false;
    QTest::newRow("stop line in Ready and Stopped takes nothing")
        << u"CTS+ @+50 CTS- F5 @+50 F9 @+50 CTS+"_s << u"Stopped"_s << u"50: -,-,-,50"_s << false
        << false;
    QTest::newRow("lockout 0: every repeat acts")
        << u"lockout=0 F5 @1200 DCD+ @1210 DCD- @1300 CTS+ @1310 CTS- @1400 DCD+ @1410 DCD- "
           u"@1500 CTS+"_s
        << u"Stopped"_s << u"500: 200,300,400,500"_s << false << false;
    QTest::newRow("finish by the line locks out the next start")
        << u"lockout=500 F5 @1100 DCD+ @1700 CTS+ @2200 DCD- @2300 DCD+ @2900 CTS- @3500 CTS+ "
           u"F7 F11 @3600 DSR+"_s
        << u"Ready"_s << u"0: -,-,-,-"_s << true << false;

    // Commands act only where their menu item is enabled.
    QTest::newRow("F9 right after the start")
        << u"F5 @+20 F9"_s << u"Stopped"_s << u"20: -,-,-,20"_s << false << false;
    QTest::newRow("F5 while running keeps the start")
        << u"F5 @+300 F5 @+200 F9"_s << u"Stopped"_s << u"500: -,-,-,500"_s << false << false;
    QTest::newRow("F7 only after a stop")
        << u"F7 F5 F7 @+100 F9 F9"_s << u"Stopped"_s << u"100: -,-,-,100"_s << false << false;
    QTest::newRow("F11 and F12 toggle in any state")
        << u"F11 F12 F12 F12 F5"_s << u"Running"_s << u"0: -,-,-,-"_s << false << true;

    // Levels: only a change counts, compared with the last event of the line.
    QTest::newRow("same level twice is no change")
        << u"lockout=0 F5 @1100 DCD+ @1200 CTS+ @1300 DCD+"_s << u"Running"_s << u"0: 100,200,-,-"_s
        << false << false;
    QTest::newRow("first event of a line always counts")
        << u"mode=1 F11 DSR-"_s << u"Running"_s << u"0: -,-,-,-"_s << false << false;
    QTest::newRow("reopened port: the next level counts again")
        << u"lockout=0 F5 @1100 DCD+ @1200 CTS+ forget @1300 DCD+"_s << u"Running"_s
        << u"0: 100,200,300,-"_s << false << true;
    QTest::newRow("short pulses on one line each count")
        << u"lockout=0 F5 @1100 DCD+ @1101 DCD- @1200 CTS+ @1201 CTS- @1300 DCD+ @1301 DCD- "
           u"@1400 CTS+"_s
        << u"Stopped"_s << u"400: 100,200,300,400"_s << false << false;

    // Edges stamped before the start they reach the engine after.
    QTest::newRow("intermediate stamped before the start is ignored")
        << u"@5000 F5 @4990 DCD+ @5200 DCD- @5300 DCD+"_s << u"Running"_s << u"0: 300,-,-,-"_s
        << false << false;
    QTest::newRow("stop line stamped before the start is ignored")
        << u"@5000 F5 F12 @4999 CTS+"_s << u"Running"_s << u"0: -,-,-,-"_s << false << true;

    // Test keys act as their barrier events, whatever the lines and the mode.
    QTest::newRow("test keys run a whole run")
        << u"lockout=0 mode=1 T1 @1100 T2 @1200 T3 @1300 T4 @1400 T5"_s << u"Stopped"_s
        << u"400: 100,200,300,400"_s << false << false;
    QTest::newRow("test keys after a run by the lines")
        << u"lockout=0 F11 DSR+ @1100 DCD+ @1200 CTS+ @1300 DCD- @1350 DCD+ @1400 CTS- @1450 "
           u"CTS+ F7 @2000 T1 @2100 T2 @2200 T3 @2300 T4 @2400 T5"_s
        << u"Stopped"_s << u"400: 100,200,300,400"_s << false << false;
    QTest::newRow("test key 3 twice: second intermediate, then the finish")
        << u"T1 @1200 T3 @1250 T3 F12 @1400 T3"_s << u"Stopped"_s << u"400: -,200,-,400"_s << false
        << false;
    QTest::newRow("test key 5 right after the start")
        << u"T1 @+200 T5"_s << u"Stopped"_s << u"200: -,200,-,200"_s << false << false;
    QTest::newRow("test key 2 within the lockout does nothing")
        << u"T1 @1100 T2 @1150 T4"_s << u"Running"_s << u"0: 100,-,-,-"_s << false << false;
    QTest::newRow("test key 1 with the start lock armed")
        << u"F11 T1 @+300 F9"_s << u"Stopped"_s << u"300: -,-,-,300"_s << false << false;

    // The 32-bit tick wraps during a run; tick 0 is an instant like any other.
    QTest::newRow("run across the wrap")
        << u"@0xFFFFFF00 F5 @0xFFFFFFF0 DCD+ @0x60 CTS+ @0x100 DCD- @0x200 DCD+ @0x800 CTS- "
           u"@0x1000 CTS+"_s
        << u"Stopped"_s << u"4352: 240,352,768,4352"_s << false << false;
    QTest::newRow("capture at tick 0 stays taken")
        << u"lockout=0 @0xFFFFFFF0 F5 @0 DCD+ @0x20 DCD- @0x30 CTS+ @0x40 DCD+"_s << u"Running"_s
        << u"0: 16,64,80,-"_s << false << true;
}

void tst_RunEngine::runs()
{
    QFETCH(QString, script);
    QFETCH(QString, state);
    QFETCH(QString, times);
    QFETCH(bool, startArmed);
    QFETCH(bool, stopArmed);

    Rig rig;
    rig.run(script);
    QCOMPARE(stateName(rig.engine.state()), state);
    QCOMPARE(Rig::text(rig.engine.record().times()), times);
    QCOMPARE(rig.engine.lockArmed(RunEngine::Lock::Start), startArmed);
    QCOMPARE(rig.engine.lockArmed(RunEngine::Lock::Stop), stopArmed);
    QVERIFY2(!rig.log.contains(u"wrong digits"_s), qPrintable(rig.log.join(u'\n')));
}

// What the windows are told, step by step, in order.
void tst_RunEngine::signalsCarryTheRun_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("start by the line")
        << u"F11"_s << u"DSR+"_s
        << QStringList{u"lower 0"_s, u"started 1"_s, u"start lock blocked"_s, u"state Running"_s};
    QTest::newRow("intermediates name their distance")
        << u"F5"_s << u"@3000 DCD+ @4000 CTS+ @4500 DCD-"_s
        << QStringList{u"captured 0 2000"_s, u"label '5 m'"_s,  u"lower 2000"_s,
                       u"captured 1 3000"_s, u"label '10 m'"_s, u"lower 3000"_s};
    QTest::newRow("third intermediate arms the finish")
        << u"lockout=0 F5 @2000 DCD+ @3000 CTS+"_s << u"@4000 DCD- @4100 DCD+"_s
        << QStringList{u"captured 2 3100"_s, u"label '15 m'"_s, u"lower 3100"_s,
                       u"stop lock armed"_s};
    QTest::newRow("finish by the line")
        << u"lockout=0 F5 @2000 DCD+ @3000 CTS+ @4000 DCD- @4100 DCD+ @5000 CTS-"_s
        << u"@6000 CTS+"_s
        << QStringList{u"label ''"_s,          u"lower 5000"_s,
                       u"upper 5000"_s,        u"finished 5000: 1000,2000,3100,5000"_s,
                       u"stop lock blocked"_s, u"state Stopped"_s};
    QTest::newRow("reset clears and advances")
        << u"F5 @+100 F9"_s << u"F7"_s
        << QStringList{u"cleared"_s,     u"upper 0"_s,      u"lower 0"_s,
                       u"numbers 2 3"_s, u"label hidden"_s, u"state Ready"_s};
    QTest::newRow("display tick while running")
        << u"F5"_s << u"@+62340 tick"_s << QStringList{u"upper 62340"_s};
    QTest::newRow("nothing shown or stored while not running")
        << u"F5 @+100 F9"_s << u"tick DCD+ CTS+ F5 F9"_s << QStringList{};
    QTest::newRow("a lock toggled by hand")
        << QString() << u"F12 F12"_s << QStringList{u"stop lock armed"_s, u"stop lock blocked"_s};
}

void tst_RunEngine::signalsCarryTheRun()
{
    QFETCH(QString, before);
    QFETCH(QString, script);
    QFETCH(QStringList, log);

    Rig rig;
    rig.run(before);
    rig.log.clear();
    rig.run(script);
    QCOMPARE(rig.log, log);
}

// Start numbers: set, advanced by the reset, held at 1 .. 9999.
void tst_RunEngine::startNumbers_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("next");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("expectedCurrent");
    QTest::addColumn<int>("expectedNext");

    QTest::newRow("reset advances") << 3 << 4 << u"F5 F9 F7"_s << 4 << 5;
    QTest::newRow("next held at 9999") << 12 << 9999 << u"F5 F9 F7"_s << 9999 << 9999;
    QTest::newRow("two resets from 9998") << 1 << 9998 << u"F5 F9 F7 F5 F9 F7"_s << 9999 << 9999;
    QTest::newRow("below the range") << 0 << -5 << QString() << 1 << 1;
    QTest::newRow("above the range") << 10000 << 123456 << QString() << 9999 << 9999;
    QTest::newRow("no reset, no advance") << 7 << 8 << u"F5 F9"_s << 7 << 8;
}

void tst_RunEngine::startNumbers()
{
    QFETCH(int, current);
    QFETCH(int, next);
    QFETCH(QString, script);
    QFETCH(int, expectedCurrent);
    QFETCH(int, expectedNext);

    Rig rig;
    rig.engine.setStartNumber(current);
    rig.engine.setNextStartNumber(next);
    rig.run(script);
    QCOMPARE(rig.engine.startNumber(), expectedCurrent);
    QCOMPARE(rig.engine.nextStartNumber(), expectedNext);

    // The run's start number is fixed while it runs.
    rig.run(u"F5"_s);
    rig.engine.setStartNumber(expectedCurrent == 1 ? 2 : 1);
    QCOMPARE(rig.engine.startNumber(), expectedCurrent);
    rig.engine.setNextStartNumber(42);
    QCOMPARE(rig.engine.nextStartNumber(), 42);
}

// lockoutActive() at the clock's tick after a script.
void tst_RunEngine::lockoutEndsByTheClock_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("active");

    QTest::newRow("after an intermediate") << u"F5 @2000 DCD+ @2099"_s << true;
    QTest::newRow("interval over") << u"F5 @2000 DCD+ @2100"_s << false;
    QTest::newRow("start line never locks out") << u"F11 DSR+"_s << false;
    QTest::newRow("a finish by hand does not lock out") << u"F5 @2000 DCD+ @3000 F9"_s << false;
    QTest::newRow("finish by the line locks out")
        << u"lockout=0 F5 @1100 DCD+ @1200 CTS+ @1300 DCD- @1400 DCD+ lockout=300 @1500 CTS- "
           u"@1600 CTS+ @1899"_s
        << true;
    QTest::newRow("lockout 0") << u"lockout=0 F5 @2000 DCD+"_s << false;
    QTest::newRow("across the wrap") << u"@0xFFFFFF00 F5 @0xFFFFFFC0 DCD+ @0x20"_s << true;
    // Ended for good: the counter coming round to the same ticks 2^32 ms
    // later does not revive it.
    QTest::newRow("a wrap later") << u"F5 @2000 DCD+ @3000 tick @2050"_s << false;
}

void tst_RunEngine::lockoutEndsByTheClock()
{
    QFETCH(QString, script);
    QFETCH(bool, active);

    Rig rig;
    rig.run(script);
    QCOMPARE(rig.engine.lockoutActive(), active);
}

void tst_RunEngine::runningDisplayFollowsTheClock()
{
    Rig rig;
    rig.run(u"@0xFFFFF000 F5"_s);
    // However often or late the refresh comes, it shows the time since the start.
    for (const quint32 at : {0xFFFFF006u, 0xFFFFF00Cu, 0xFFFFFFFFu, 0x1000u, 0x2000u}) {
        rig.log.clear();
        rig.now = at;
        rig.engine.displayTick();
        QCOMPARE(rig.log, QStringList{u"upper "_s + QString::number(qint32(at - 0xFFFFF000u))});
    }
}

QTEST_GUILESS_MAIN(tst_RunEngine)
#include "tst_RunEngine.moc"
