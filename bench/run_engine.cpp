// What the run engine costs per line event and per refresh of the running
// display: whole runs with bouncing barriers, once with nothing listening
// and once with a listener on every signal, as the windows will be. Prints
// the median of several rounds.

#include "timing/RunEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int Runs = 20000;
constexpr int Rounds = 7;
// Each barrier breaks and closes this many times within one passage.
constexpr int Bounces = 5;

struct Event
{
    RunEngine::Line line;
    bool level;
    quint32 tick;
};

// One run: the start, three intermediate barriers and the finish, each
// passage a burst of edges within the lockout.
std::vector<Event> runEvents(quint32 start)
{
    std::vector<Event> events;
    const RunEngine::Line order[] = {RunEngine::Line::Start, RunEngine::Line::Intermediate,
                                     RunEngine::Line::Stop, RunEngine::Line::Intermediate,
                                     RunEngine::Line::Stop};
    quint32 tick = start;
    for (const RunEngine::Line line : order) {
        for (int b = 0; b < Bounces; ++b) {
            events.push_back({line, true, tick + quint32(4 * b)});
            events.push_back({line, false, tick + quint32(4 * b + 2)});
        }
        tick += 1500;
    }
    return events;
}

struct Cost
{
    double nsPerEvent;
    double nsPerRefresh;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Cost measure(bool listening)
{
    quint32 now = 0;
    RunEngine engine([&now] { return now; });
    volatile qint64 seen = 0;
    if (listening) {
        QObject::connect(&engine, &RunEngine::timeShown, &engine,
                         [&](DisplayRow, qint32 ms, const QList<DigitShow> &digits) {
                             seen = seen + ms + digits.size();
                         });
        QObject::connect(&engine, &RunEngine::stateChanged, &engine, [&] { seen = seen + 1; });
        QObject::connect(&engine, &RunEngine::distanceLabelChanged, &engine,
                         [&](bool, const QString &text) { seen = seen + text.size(); });
        QObject::connect(&engine, &RunEngine::intermediateCaptured, &engine,
                         [&](CaptureSlot, qint32 ms) { seen = seen + ms; });
        QObject::connect(&engine, &RunEngine::runFinished, &engine,
                         [&](const RunTimes &times) { seen = seen + times.finalTime; });
        QObject::connect(&engine, &RunEngine::lockChanged, &engine, [&] { seen = seen + 1; });
    }

    std::vector<double> perEvent;
    std::vector<double> perRefresh;
    for (int round = 0; round < Rounds; ++round) {
        qint64 events = 0;
        qint64 eventNs = 0;
        qint64 refreshes = 0;
        qint64 refreshNs = 0;
        for (int run = 0; run < Runs; ++run) {
            const quint32 start = quint32(run) * 10000u;
            const std::vector<Event> list = runEvents(start);
            now = start;
            engine.toggleLock(RunEngine::Lock::Start);
            QElapsedTimer timer;
            timer.start();
            for (const Event &e : list)
                engine.lineEvent(e.line, e.level, e.tick);
            eventNs += timer.nsecsElapsed();
            events += qint64(list.size());

            // The stop line left the run stopped; refreshes of a running one.
            engine.reset();
            engine.start();
            timer.restart();
            for (int i = 0; i < 100; ++i) {
                now += 6;
                engine.displayTick();
            }
            refreshNs += timer.nsecsElapsed();
            refreshes += 100;
            engine.stop();
            engine.reset();
        }
        perEvent.push_back(double(eventNs) / double(events));
        perRefresh.push_back(double(refreshNs) / double(refreshes));
    }
    return {median(perEvent), median(perRefresh)};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    for (const bool listening : {false, true}) {
        const Cost cost = measure(listening);
        out << (listening ? "listener on every signal: " : "nothing listening:        ")
            << "line event " << qRound(cost.nsPerEvent) << " ns, display refresh "
            << qRound(cost.nsPerRefresh) << " ns (medians of " << Rounds << " rounds)\n";
    }
    return 0;
}
