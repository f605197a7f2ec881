#pragma once

#include "platform/serial/SerialDevice.h"

#include <atomic>
#include <mutex>
#include <optional>

#include <pthread.h>
#include <time.h>

namespace platform::serial {

// Serial device of Linux: termios2 for any baud rate, the modem lines through
// TIOCMGET/TIOCMBIS/TIOCMBIC, and waiting with TIOCMIWAIT. The kernel's
// interrupt counters (TIOCGICOUNT) tell which lines changed, so a line that
// toggles twice between two wake-ups is still reported. Drivers without
// TIOCMIWAIT are polled about every millisecond. Uses a real-time signal
// (SIGRTMIN + 2, handled process-wide) to wake its worker thread.
class PosixSerialDevice final : public SerialDevice
{
public:
    // Takes ownership of fd, an exclusively opened character device.
    explicit PosixSerialDevice(int fd);
    ~PosixSerialDevice() override;

    void configure(const LineSettings &settings) override;
    void watch(quint32 eventMask) override;
    WaitResult waitForEvents() override;
    void interrupt() override;
    quint32 modemStatus() override;
    int inputQueueCount() override;
    void purgeInput() override;

private:
    // What the lines looked like at one moment: the change counters where the
    // driver keeps them, else the line levels; and the MS_* levels.
    struct Snapshot
    {
        quint32 cts = 0, dsr = 0, dcd = 0, rng = 0;
        quint32 status = 0;
        bool ok = false;
    };

    Snapshot snapshot() const;
    Snapshot readCounters() const;
    quint32 eventsSince(const Snapshot &earlier, const Snapshot &now) const;
    quint32 pulsesSince(const Snapshot &earlier, const Snapshot &now) const;
    bool blockUntilLineChange();
    void armRecheck();
    void requestLowLatency();

    const int m_fd;
    quint32 m_eventMask = 0;
    bool m_counters = true;                // driver answers TIOCGICOUNT
    bool m_modemWait = true;               // driver answers TIOCMIWAIT
    Snapshot m_seen;                       // state the last reported events brought us to
    std::optional<timer_t> m_recheckTimer; // signals the worker thread

    std::atomic<bool> m_stop{false};
    std::mutex m_waiterMutex;
    bool m_waiting = false;
    pthread_t m_waiter{};
};

} // namespace platform::serial
