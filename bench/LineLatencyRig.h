#pragma once

#include <QObject>
#include <QTimer>

#include <thread>
#include <vector>

// Parts of a line latency measurement that do not depend on what records the
// edges: a driver that changes the fake device's lines at known instants, a
// load on the main thread, and the statistics. Ticks are microseconds here
// (see MicrosecondTicks), so differences have sub-millisecond resolution.
namespace bench {

// Makes platform::GetTickCount() count microseconds for the lifetime of the object.
class MicrosecondTicks
{
public:
    MicrosecondTicks();
    ~MicrosecondTicks();
    MicrosecondTicks(const MicrosecondTicks &) = delete;
    MicrosecondTicks &operator=(const MicrosecondTicks &) = delete;
};

// One line change: which line (a TIOCM_* bit), whether it went on, and the
// tick read just before the change was made.
struct Edge
{
    int line;
    bool on;
    quint32 tick;
};

// A passage through a barrier: its line goes on, and off again pulseMs later.
// Passages follow each other after a random gap, cycling through DSR, DCD, CTS.
struct Schedule
{
    int passages = 150;
    int pulseMs = 30;
    int minGapMs = 150;
    int maxGapMs = 250;
    unsigned seed = 1;
};

// Drives the fake serial device from its own thread.
class LineDriver
{
public:
    explicit LineDriver(const Schedule &schedule);
    ~LineDriver();
    LineDriver(const LineDriver &) = delete;
    LineDriver &operator=(const LineDriver &) = delete;

    bool finished() const { return m_finished.load(); }
    // Valid once finished.
    const std::vector<Edge> &edges() const { return m_edges; }

private:
    void run(Schedule schedule);

    std::vector<Edge> m_edges;
    std::atomic<bool> m_finished{false};
    std::thread m_thread;
};

// Keeps the main thread blocked in chunks of busy work, returning to the
// event loop between chunks.
class BusyMainThread : public QObject
{
public:
    explicit BusyMainThread(int chunkMs);

private:
    QTimer m_timer;
};

// Keeps one core busy from a second process for the lifetime of the object,
// as another program would.
class CoreLoad
{
public:
    CoreLoad();
    ~CoreLoad();
    CoreLoad(const CoreLoad &) = delete;
    CoreLoad &operator=(const CoreLoad &) = delete;

private:
    int m_pid = -1;
};

// What the system lets a thread of this process have when it asks for
// priority, as the serial worker does: "real-time", "raised" or "normal".
QString workerPriority();

struct Percentiles
{
    double p50 = 0, p99 = 0, max = 0;
    std::size_t count = 0;
};

Percentiles percentiles(std::vector<double> values);

} // namespace bench
