// Line latency of the serial line monitor: the fake serial device changes its
// lines at known instants; the port stamps each edge (eventTick); the report
// is the spread of (stamped instant - true instant). Run by hand:
//   build/bench/line_latency [passages]
// To measure further along (the run engine's stored times), keep the driver
// and statistics of LineLatencyRig and replace recordEdges() by what stores
// the times.

#include "LineLatencyRig.h"

#include "controls/Comms.h"
#include "platform/Tick.h"

#include "FakeSerial.h"

#include <QCoreApplication>
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
