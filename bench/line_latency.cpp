// Line latency of the serial line monitor: the fake serial device changes its
// lines at known instants; the port stamps each edge (eventTick); the report
// is the spread of (stamped instant - true instant), beside the delay until
// the main thread handled the edge (what stamping there would give) and the
// ratio of the two p99s. The main thread is kept busy in chunks, and a second
// process may load the other core. End to end, the main window's run engine
// times whole runs from the same edges; the report is the spread of (stored
// time - true edge-to-edge time). Run by hand:
//   LD_PRELOAD=build/tests/fakeserial/libfakeserial.so build/bench/line_latency [passages]

#include "LineLatencyRig.h"

#include "controls/Comms.h"
#include "platform/Tick.h"
#include "platform/UserStore.h"
#include "settings/ProgramTitle.h"
#include "settings/Settings.h"
#include "ui/FMain.h"

#include "FakeSerial.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct Recorded
{
    int line;
    quint32 tick;    // stamped by the worker
    quint32 handled; // when the main thread got to it
};

// The port's view of the edges: which line, the instant it stamped, and when
// it was handled.
void recordEdges(TComPort &port, std::vector<Recorded> &into)
{
    const std::pair<void (TComPort::*)(), int> lines[] = {
        {&TComPort::dsr, TIOCM_DSR}, {&TComPort::rlsd, TIOCM_CD}, {&TComPort::cts, TIOCM_CTS}};
    for (const auto &[signal, line] : lines) {
        QObject::connect(&port, signal, &port, [&into, &port, line = line] {
            into.push_back({line, port.eventTick(), platform::GetTickCount()});
        });
    }
}

// Runs the event loop (sleeping while idle) until the driver is done, then a
// little longer to let the last edges through.
void runUntilFinished(const bench::LineDriver &driver)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (driver.finished())
            QTimer::singleShot(100, &loop, &QEventLoop::quit);
        else
            poll.start();
    });
    poll.setSingleShot(true);
    poll.start(10);
    loop.exec();
}

// Each recorded event belongs to the earliest unmatched edge of its line.
// Edges passed over were merged into a later event of their line (both
// changes within one wait) or lost; they are counted, not timed.
void report(const char *scenario, const std::vector<bench::Edge> &edges,
            const std::vector<Recorded> &recorded)
{
    std::vector<double> leading, trailing, handled;
    std::size_t next = 0;
    std::size_t unmatched = 0;
    for (const Recorded &event : recorded) {
        while (next < edges.size() && edges[next].line != event.line) {
            ++next;
            ++unmatched;
        }
        if (next == edges.size())
            break;
        const bench::Edge &edge = edges[next++];
        (edge.on ? leading : trailing).push_back(elapsedTicks(event.tick, edge.tick) / 1000.0);
        handled.push_back(elapsedTicks(event.handled, edge.tick) / 1000.0);
    }
    unmatched += edges.size() - next;
    const bench::Percentiles h = bench::percentiles(handled);
    for (const auto &[which, values] : {std::pair{"on", &leading}, std::pair{"off", &trailing}}) {
        const bench::Percentiles p = bench::percentiles(*values);
        std::printf("%-28s %-3s n=%-4zu p50 %6.3f  p99 %6.3f  max %7.3f ms | handled p99 %7.3f ms"
                    "  ratio %.3f\n",
                    scenario, which, p.count, p.p50, p.p99, p.max, h.p99,
                    h.p99 > 0 ? p.p99 / h.p99 : 0.0);
    }
    if (unmatched != 0)
        std::printf("%-28s %zu of %zu edges merged into a later event or lost\n", scenario,
                    unmatched, edges.size());
}

// The run engine end to end. The driver's passages cycle DSR, DCD, CTS, so
// every six make one run: start, first intermediate, second intermediate, a
// start-line passage the running engine ignores, third intermediate (arms the
// finish), finish. After each run the operator's part is played at once:
// reset and re-arm the start lock.
void engineScenario(const char *scenario, int busyChunkMs, const bench::Schedule &schedule)
{
    Settings settings;
    settings.Port = 1;
    // Shorter than the gaps between passages even when the busy main thread
    // ends it late.
    settings.WaitStart = 20;
    platform::UserStore store = openSettingsStore(programTitle());
    saveSettings(store, settings);

    struct Run
    {
        quint32 start; // the instant the engine started at
        CaptureSlots captures;
    };
    std::vector<Run> runs;
    {
        TFormMain window;
        const QAction *start = window.findChild<QAction *>(QStringLiteral("mStart"));
        std::optional<quint32> started;
        // After the window's own handler: did this start-line event start a run?
        // How long after its arrival the main thread handled each line event.
        std::vector<double> delays;
        for (auto signal : {&TComPort::dsr, &TComPort::rlsd, &TComPort::cts}) {
            QObject::connect(window.comPort(), signal, &window, [&] {
                const TComPort &port = *window.comPort();
                delays.push_back(elapsedTicks(platform::GetTickCount(), port.eventTick()) / 1000.0);
            });
        }
        QObject::connect(window.comPort(), &TComPort::dsr, &window, [&] {
            if (!started && !start->isEnabled())
                started = window.comPort()->eventTick();
        });
        QObject::connect(&window, &TFormMain::runStopped, &window,
                         [&](qint32, const CaptureSlots &captures) {
                             runs.push_back({started.value_or(0), captures});
                             started.reset();
                             QTimer::singleShot(0, &window, [&window] {
                                 window.mResetClick();
                                 window.mLockStartLSClick();
                             });
                         });
        window.mLockStartLSClick();
        fakeserial::waitForWaiters(1, 1000);
        std::optional<bench::BusyMainThread> load;
        if (busyChunkMs > 0)
            load.emplace(busyChunkMs);
        const bench::LineDriver driver(schedule);
        runUntilFinished(driver);
        load.reset();

        std::vector<bench::Edge> on;
        for (const bench::Edge &edge : driver.edges()) {
            if (edge.on)
                on.push_back(edge);
        }
        // Each run belongs to the last start-line edge before its stamped start;
        // its barriers are the passages that follow that edge.
        std::vector<double> errors;
        std::size_t missed = 0;
        for (const Run &run : runs) {
            std::size_t first = on.size();
            for (std::size_t i = 0; i + 5 < on.size(); ++i) {
                if (on[i].line == TIOCM_DSR && elapsedTicks(run.start, on[i].tick) >= 0)
                    first = i;
            }
            if (first == on.size())
                continue;
            const quint32 truth[4] = {on[first + 1].tick, on[first + 2].tick, on[first + 4].tick,
                                      on[first + 5].tick};
            for (int slot = 0; slot < 4; ++slot) {
                if (run.captures[slot] == 0) {
                    ++missed;
                    continue;
                }
                const qint32 expected = elapsedTicks(truth[slot], on[first].tick);
                errors.push_back(double(run.captures[slot] - expected) / 1000.0);
            }
        }
        const bench::Percentiles p = bench::percentiles(errors);
        std::printf("%-27s n=%-4zu p50 %7.3f ms  p99 %7.3f ms  max %7.3f ms  (%zu of %zu runs, "
                    "%zu times not taken)\n",
                    scenario, p.count, p.p50, p.p99, p.max, runs.size(), on.size() / 6, missed);
        const bench::Percentiles d = bench::percentiles(delays);
        std::printf("%-27s handled after p50 %7.3f ms  p99 %7.3f ms  max %7.3f ms\n", "", d.p50,
                    d.p99, d.max);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The main window keeps settings: never the user's own.
    const QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    QApplication app(argc, argv);
    bench::Schedule schedule;
    if (argc > 1)
        schedule.passages = std::max(1, QByteArray(argv[1]).toInt());

    QTemporaryDir devDir;
    qputenv("TAVRIN_DEV_DIR", QFile::encodeName(devDir.path()));
    const QByteArray device = QFile::encodeName(devDir.filePath(QStringLiteral("ttyS0")));
    fakeserial::attach(device.constData());
    const int probe = ::open(device.constData(), O_RDWR | O_NOCTTY);
    if (probe < 0 || !fakeserial::isOpen()) {
        std::fprintf(
            stderr,
            "The fake serial device is not in place (run with LD_PRELOAD=libfakeserial.so).\n");
        return 1;
    }
    ::close(probe);

    const bench::MicrosecondTicks microseconds;
    std::printf("%d passages per scenario, pulses of %d ms, %d-%d ms apart\n", schedule.passages,
                schedule.pulseMs, schedule.minGapMs, schedule.maxGapMs);

    std::printf("worker priority: %s\n", qPrintable(bench::workerPriority()));
    struct Scenario
    {
        const char *name;
        int busyChunkMs;
        bool otherCoreLoaded;
        bool polling;
    };
    for (const Scenario &scenario : {
             Scenario{"main thread idle", 0, false, false},
             Scenario{"busy 20ms", 20, false, false},
             Scenario{"busy 50ms", 50, false, false},
             Scenario{"busy 20ms, other core loaded", 20, true, false},
             Scenario{"busy 50ms, other core loaded", 50, true, false},
             Scenario{"polling, idle", 0, false, true},
         }) {
        fakeserial::setWaitSupported(!scenario.polling);
        TComPort port;
        port.setPort(1);
        port.setEvents(eventSet({evCTS, evDSR, evRLSD}));
        std::vector<Recorded> recorded;
        recordEdges(port, recorded);
        port.Open();
        fakeserial::waitForWaiters(scenario.polling ? 0 : 1, 1000);

        std::optional<bench::CoreLoad> coreLoad;
        if (scenario.otherCoreLoaded)
            coreLoad.emplace();
        std::optional<bench::BusyMainThread> load;
        if (scenario.busyChunkMs > 0)
            load.emplace(scenario.busyChunkMs);
        const bench::LineDriver driver(schedule);
        runUntilFinished(driver);
        load.reset();
        coreLoad.reset();
        port.Close();
        report(scenario.name, driver.edges(), recorded);
    }

    fakeserial::setWaitSupported(true);
    std::printf("End to end: stored time - true edge-to-edge time\n");
    engineScenario("engine, main thread idle", 0, schedule);
    engineScenario("engine, main thread busy 20ms", 20, schedule);
    // Longer than a pulse: the handler runs after the pulse has ended, but
    // with the levels as they were at each edge.
    engineScenario("engine, main thread busy 50ms", 50, schedule);

    for (const bool polling : {false, true}) {
        fakeserial::setWaitSupported(!polling);
        std::vector<double> closing;
        TComPort port;
        for (int round = 0; round < 200; ++round) {
            port.Open();
            fakeserial::waitForWaiters(polling ? 0 : 1, 1000);
            QThread::msleep(2);
            const quint32 start = platform::GetTickCount();
            port.Close();
            closing.push_back(elapsedTicks(platform::GetTickCount(), start) / 1000.0);
        }
        const bench::Percentiles p = bench::percentiles(closing);
        std::printf("%-27s n=%-4zu p50 %7.3f ms  p99 %7.3f ms  max %7.3f ms\n",
                    polling ? "Close, polling" : "Close, blocked in the wait", p.count, p.p50,
                    p.p99, p.max);
    }
    return 0;
}
