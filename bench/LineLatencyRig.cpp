#include "LineLatencyRig.h"

#include "platform/ThreadPriority.h"
#include "platform/Tick.h"

#include "FakeSerial.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

#include <csignal>

#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {
namespace {

quint32 microsecondTick()
{
    using namespace std::chrono;
    return quint32(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

MicrosecondTicks::MicrosecondTicks()
{
    platform::setTickSource(&microsecondTick);
}

MicrosecondTicks::~MicrosecondTicks()
{
    platform::setTickSource(nullptr);
}

LineDriver::LineDriver(const Schedule &schedule)
    : m_thread(&LineDriver::run, this, schedule)
{
}

LineDriver::~LineDriver()
{
    m_thread.join();
}

void LineDriver::run(Schedule schedule)
{
    static constexpr int lines[] = {TIOCM_DSR, TIOCM_CD, TIOCM_CTS};
    std::mt19937 random(schedule.seed);
    // Microsecond gaps, so edges do not line up with the polling worker's timer.
    std::uniform_int_distribution<int> gap(schedule.minGapMs * 1000, schedule.maxGapMs * 1000);
    std::uniform_int_distribution<int> spin(0, 1000);
    auto next = std::chrono::steady_clock::now();
    int state = 0;
    const auto change = [&](int line, bool on) {
        // Spin a random last stretch: a timer wake-up alone would line the
        // edge up with the timer interrupts that also wake a polling worker.
        std::this_thread::sleep_until(next - std::chrono::microseconds(spin(random)));
        while (std::chrono::steady_clock::now() < next) {
        }
        state = on ? (state | line) : (state & ~line);
        m_edges.push_back({line, on, platform::GetTickCount()});
        fakeserial::setLines(state);
    };
    for (int passage = 0; passage < schedule.passages; ++passage) {
        const int line = lines[passage % 3];
        next += std::chrono::microseconds(gap(random));
        change(line, true);
        next += std::chrono::milliseconds(schedule.pulseMs);
        change(line, false);
    }
    m_finished.store(true);
}

BusyMainThread::BusyMainThread(int chunkMs)
{
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, this, [chunkMs] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(chunkMs);
        while (std::chrono::steady_clock::now() < end) {
        }
    });
    m_timer.start();
}

CoreLoad::CoreLoad()
    : m_pid(::fork())
{
    if (m_pid == 0) {
        // Dies with the benchmark, whatever becomes of it.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        volatile unsigned long spin = 0;
        for (;;)
            spin = spin + 1;
    }
}

CoreLoad::~CoreLoad()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

QString workerPriority()
{
    platform::ThreadPriority priority = platform::ThreadPriority::Normal;
    std::thread probe([&] { priority = platform::raiseCurrentThreadPriority(); });
    probe.join();
    return platform::describe(priority);
}

Percentiles percentiles(std::vector<double> values)
{
    Percentiles result;
    result.count = values.size();
    if (values.empty())
        return result;
    std::sort(values.begin(), values.end());
    // Nearest rank.
    const auto rank = [&](double p) {
        const auto index = std::size_t(std::ceil(p * double(values.size()))) - 1;
        return values[std::min(index, values.size() - 1)];
    };
    result.p50 = rank(0.50);
    result.p99 = rank(0.99);
    result.max = values.back();
    return result;
}

} // namespace bench
