// Failure and recovery of the barriers' port against the fake serial device:
// how long after the device fails the port notices (closed, failure told),
// how long after the device returns the port is open again (looked for once
// a second), and whether every edge after that counts. Run by hand:
//   LD_PRELOAD=build/tests/fakeserial/libfakeserial.so build/bench/port_recovery [rounds]

#include "LineLatencyRig.h"

#include "controls/Comms.h"
#include "controls/PortRecovery.h"

#include "FakeSerial.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Runs the event loop until done() holds; false after the deadline.
bool runUntil(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

struct Failure
{
    const char *name;
    std::function<void()> fail;
    bool polling;
};

void measure(const Failure &failure, const QByteArray &device, int rounds)
{
    constexpr int kEdgesAfterReturn = 20;
    fakeserial::attach(device.constData());
    fakeserial::setWaitSupported(!failure.polling);
    TComPort port;
    port.setPort(1);
    port.setEvents(eventSet({evCTS, evDSR, evRLSD}));
    TPortRecovery recovery(port); // the real interval: about once a second
    int events = 0;
    for (auto signal : {&TComPort::dsr, &TComPort::rlsd, &TComPort::cts})
        QObject::connect(&port, signal, &port, [&events] { ++events; });
    recovery.openChosen();

    std::vector<double> noticed, back;
    int lost = 0;
    int timeouts = 0;
    for (int round = 0; round < rounds; ++round) {
        fakeserial::waitForWaiters(failure.polling ? 0 : 1, 1000);
        QElapsedTimer clock;
        clock.start();
        failure.fail();
        if (!runUntil([&] { return recovery.state() == TPortRecovery::State::Lost; }, 5000)) {
            ++timeouts;
            continue;
        }
        noticed.push_back(double(clock.nsecsElapsed()) / 1e6);
        // Away for a while, then back; as a returning adapter, under the same name.
        runUntil([] { return false; }, 300 + round * 137 % 700);
        fakeserial::attach(device.constData());
        fakeserial::setWaitSupported(!failure.polling);
        clock.restart();
        if (!runUntil([&] { return recovery.state() == TPortRecovery::State::Connected; }, 5000)) {
            ++timeouts;
            continue;
        }
        back.push_back(double(clock.nsecsElapsed()) / 1e6);
        fakeserial::waitForWaiters(failure.polling ? 0 : 1, 1000);
        // Passages at once after the return: each of their edges must count.
        const int before = events;
        static constexpr int lines[] = {TIOCM_DSR, TIOCM_CD, TIOCM_CTS};
        for (int edge = 0; edge < kEdgesAfterReturn; ++edge) {
            fakeserial::toggleLines(lines[edge / 2 % 3]);
            runUntil([&] { return events > before + edge; }, 200);
        }
        lost += kEdgesAfterReturn - (events - before);
    }
    const bench::Percentiles n = bench::percentiles(noticed);
    const bench::Percentiles b = bench::percentiles(back);
    std::printf("%-30s failure noticed: median %7.3f ms, max %7.3f ms | back after return: "
                "median %6.1f ms, max %6.1f ms | edges lost after return: %d of %d%s\n",
                failure.name, n.p50, n.max, b.p50, b.max, lost, kEdgesAfterReturn * rounds,
                timeouts != 0 ? " | TIMEOUTS" : "");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 10;
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
    std::printf("%d rounds each; the device returns 0.3-1.0 s after failing\n", rounds);
    const Failure failures[] = {
        {"pulled out while waiting", [] { fakeserial::unplug(); }, false},
        {"wait fails (EIO), then gone",
         [] {
             fakeserial::failWait(EIO);
             fakeserial::detach();
         },
         false},
        {"pulled out, polled driver", [] { fakeserial::unplug(); }, true},
    };
    for (const Failure &failure : failures)
        measure(failure, device, rounds);
    return 0;
}
