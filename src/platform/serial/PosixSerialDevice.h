#pragma once

#include "platform/serial/EdgeTracker.h"
#include "platform/serial/SerialDevice.h"

#include <array>
#include <atomic>
#include <mutex>
#include <optional>

#include <pthread.h>
#include <time.h>

namespace platform::serial {

// Serial device of Linux: termios2 for any baud rate, the modem lines through
// TIOCMGET/TIOCMBIS/TIOCMBIC, and waiting with TIOCMIWAIT. The kernel's
// interrupt counters (TIOCGICOUNT) and the levels together tell which lines
// changed (EdgeTracker), so a line that toggles twice between two wake-ups
// is still reported. Drivers without
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
    // The driver's edge counts of CTS, DSR, DCD and RING.
    using Counts = std::array<quint32, EdgeTracker::kLines>;

    // The lines now; none when the device no longer answers.
    std::optional<EdgeTracker::Look> look() const;
    std::optional<Counts> readCounters() const;
    bool blockUntilLineChange();
    void armRecheck();
    void requestLowLatency();

    const int m_fd;
    quint32 m_eventMask = 0;
    bool m_counters = true;  // driver answers TIOCGICOUNT
    bool m_modemWait = true; // driver answers TIOCMIWAIT
    bool m_discardInput = false;
    EdgeTracker m_tracker;                 // what has been reported so far
    std::optional<timer_t> m_recheckTimer; // signals the worker thread

    std::atomic<bool> m_stop{false};
    std::mutex m_waiterMutex;
    bool m_waiting = false;
    pthread_t m_waiter{};
};

} // namespace platform::serial
