#include "platform/serial/EdgeTracker.h"
#include "platform/serial/SerialDevice.h"

#include <QTest>

namespace serial = platform::serial;
using serial::EdgeTracker;

namespace {

struct LineBits
{
    const char *name;
    quint32 event;
    quint32 status;
};

// In the order of EdgeTracker::Look::counts.
constexpr LineBits kLines[EdgeTracker::kLines] = {
    {"CTS", serial::EV_CTS, serial::MS_CTS_ON},
    {"DSR", serial::EV_DSR, serial::MS_DSR_ON},
    {"DCD", serial::EV_RLSD, serial::MS_RLSD_ON},
    {"RING", serial::EV_RING, serial::MS_RING_ON},
};

constexpr quint32 kAllEvents = serial::EV_CTS | serial::EV_DSR | serial::EV_RLSD | serial::EV_RING;

// What one look shows of the line under test, and what it must report:
// 0 nothing, 1 a change, 2 a whole pulse.
struct Step
{
    bool on;
    quint32 count;
    int reported;
};

} // namespace

Q_DECLARE_METATYPE(Step)

class tst_EdgeTracker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each scenario on each line, so every line is told by its own bits. The
    // first step is the look the tracker starts from.
    void changesOfOneLine_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("counted");
        QTest::addColumn<QList<Step>>("steps");
        const struct
        {
            const char *name;
            bool counted;
            QList<Step> steps;
        } scenarios[] = {
            {"nothing happens", true, {{false, 5, 0}, {false, 5, 0}, {false, 5, 0}}},
            {"counters keep up", true, {{false, 0, 0}, {true, 1, 1}, {true, 1, 0}, {false, 2, 1}}},
            {"whole pulse between two looks", true, {{false, 0, 0}, {false, 2, 2}, {false, 2, 0}}},
            {"on, off and on again between two looks", true, {{false, 0, 0}, {true, 3, 1}}},
            // The counters lag: the level is reported first, the late count is not
            // reported again.
            {"level ahead of the count",
             true,
             {{false, 0, 0}, {true, 0, 1}, {true, 1, 0}, {false, 1, 1}, {false, 2, 0}}},
            // A passage shorter than the lag: one edge counted, the level already
            // back. Comparing the count alone with the level would find nothing.
            {"short pulse, one edge counted yet",
             true,
             {{false, 0, 0}, {false, 1, 2}, {false, 2, 0}, {false, 2, 0}}},
            // The next passage starts before the counters caught up with the last.
            {"next passage before the count caught up",
             true,
             {{false, 0, 0},
              {false, 1, 2},
              {true, 1, 1},
              {true, 2, 0},
              {true, 3, 0},
              {false, 3, 1},
              {false, 4, 0}}},
            {"count wraps", true, {{false, 0xFFFFFFFF, 0}, {true, 0, 1}, {false, 1, 1}}},
            {"levels only", false, {{false, 0, 0}, {true, 0, 1}, {true, 0, 0}, {false, 0, 1}}},
            {"levels only, counts ignored", false, {{false, 0, 0}, {false, 7, 0}}},
        };
        for (int line = 0; line < EdgeTracker::kLines; ++line) {
            for (const auto &scenario : scenarios) {
                QTest::addRow("%s, %s", kLines[line].name, scenario.name)
                    << line << scenario.counted << scenario.steps;
            }
        }
    }

    void changesOfOneLine()
    {
        QFETCH(int, line);
        QFETCH(bool, counted);
        QFETCH(QList<Step>, steps);
        const LineBits bits = kLines[line];
        // Another line stays on throughout, so the levels are not just this line's.
        const LineBits other = kLines[(line + 1) % EdgeTracker::kLines];
        const auto look = [&](const Step &step) {
            EdgeTracker::Look result;
            result.counted = counted;
            result.status = other.status | (step.on ? bits.status : 0);
            result.counts[line] = step.count;
            result.counts[(line + 1) % EdgeTracker::kLines] = 42;
            return result;
        };
        EdgeTracker tracker;
        tracker.reset(look(steps.first()));
        for (qsizetype i = 1; i < steps.size(); ++i) {
            const EdgeTracker::Changes changes = tracker.update(look(steps[i]), kAllEvents);
            const int reported = changes.events == 0 ? 0 : changes.pulsed != 0 ? 2 : 1;
            QVERIFY2(reported == steps[i].reported, qPrintable(QStringLiteral("step %1").arg(i)));
            QVERIFY(changes.events == 0 || changes.events == bits.event);
            QVERIFY((changes.pulsed & ~changes.events) == 0);
        }
    }

    // A line outside the mask is not reported, but followed: watched later, it
    // reports only what happens from then on.
    void unwatchedLinesAreFollowedQuietly()
    {
        EdgeTracker tracker;
        EdgeTracker::Look look;
        look.counted = true;
        tracker.reset(look);
        look.status = serial::MS_DSR_ON;
        look.counts[1] = 1;
        QCOMPARE(tracker.update(look, serial::EV_CTS).events, 0u);
        QCOMPARE(tracker.update(look, kAllEvents).events, 0u);
        look.status = 0;
        look.counts[1] = 2;
        QCOMPARE(tracker.update(look, kAllEvents).events, serial::EV_DSR);
    }

    // Lines that change together are reported together.
    void severalLinesInOneLook()
    {
        EdgeTracker tracker;
        EdgeTracker::Look look;
        look.counted = true;
        tracker.reset(look);
        look.status = serial::MS_CTS_ON | serial::MS_RLSD_ON;
        look.counts = {1, 2, 1, 0};
        const EdgeTracker::Changes changes = tracker.update(look, kAllEvents);
        QCOMPARE(changes.events, serial::EV_CTS | serial::EV_DSR | serial::EV_RLSD);
        QCOMPARE(changes.pulsed, serial::EV_DSR);
    }
};

QTEST_APPLESS_MAIN(tst_EdgeTracker)
#include "tst_EdgeTracker.moc"
