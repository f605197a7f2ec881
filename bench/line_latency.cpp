// Line latency of the serial line monitor: the fake serial device changes its
// lines at known instants; the port stamps each edge (eventTick); the report
// is the spread of (stamped instant - true instant). End to end, the main
// window's run engine times whole runs from the same edges; the report is the
// spread of (stored time - true edge-to-edge time). Run by hand:
//   build/bench/line_latency [passages]

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
    quint32 tick;
};

// The port's view of the edges: which line, and the instant it stamped.
void recordEdges(TComPort &port, std::vector<Recorded> &into)
{
    QObject::connect(&port, &TComPort::dsr, &port, [&] {
        into.push_back({TIOCM_DSR, port.eventTick()});
    });
    QObject::connect(&port, &TComPort::rlsd, &port, [&] {
        into.push_back({TIOCM_CD, port.eventTick()});
    });
    QObject::connect(&port, &TComPort::cts, &port, [&] {
        into.push_back({TIOCM_CTS, port.eventTick()});
    });
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
    std::vector<double> leading, trailing;
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
    }
    unmatched += edges.size() - next;
    for (const auto &[which, values] : {std::pair{"on", &leading}, std::pair{"off", &trailing}}) {
        const bench::Percentiles p = bench::percentiles(*values);
        std::printf("%-22s %-4s n=%-4zu p50 %7.3f ms  p99 %7.3f ms  max %7.3f ms\n", scenario,
                    which, p.count, p.p50, p.p99, p.max);
    }
    if (unmatched != 0)
        std::printf("%-22s %zu of %zu edges merged into a later event or lost\n", scenario,
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

    struct Scenario
    {
        const char *name;
        bool busy;
        bool polling;
    };
    for (const Scenario &scenario :
         {Scenario{"main thread idle", false, false},
          Scenario{"main thread busy 50ms", true, false}, Scenario{"polling, idle", false, true}}) {
        fakeserial::setWaitSupported(!scenario.polling);
        TComPort port;
        port.setPort(1);
        port.setEvents(eventSet({evCTS, evDSR, evRLSD}));
        std::vector<Recorded> recorded;
        recordEdges(port, recorded);
        port.Open();
        fakeserial::waitForWaiters(scenario.polling ? 0 : 1, 1000);

        std::optional<bench::BusyMainThread> load;
        if (scenario.busy)
            load.emplace(50);
        const bench::LineDriver driver(schedule);
        runUntilFinished(driver);
        load.reset();
        port.Close();
        report(scenario.name, driver.edges(), recorded);
    }

    fakeserial::setWaitSupported(true);
    std::printf("End to end: stored time - true edge-to-edge time\n");
    engineScenario("engine, main thread idle", 0, schedule);
    engineScenario("engine, main thread busy 20ms", 20, schedule);
    // Longer than a pulse: the handler reads the lines after the pulse has
    // ended, finds no change, and the passage is lost.
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
