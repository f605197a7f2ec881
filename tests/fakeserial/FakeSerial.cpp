#include "FakeSerial.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// termios2 comes from the kernel's header, which clashes with <termios.h>.
#include <asm/termbits.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/futex.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int inputLines = TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_RNG;
constexpr int outputLines = TIOCM_DTR | TIOCM_RTS;

using Clock = std::chrono::steady_clock;

// An edge the counters show only from `due` on.
struct LateEdge
{
    Clock::time_point due;
    int line;
};

struct Device
{
    std::mutex mutex;
    std::string path;
    int fd = -1;
    int master = -1;
    int generation = 0; // advances when the device closes, so blocked waits fail
    int inputs = 0;
    int outputs = 0;
    serial_icounter_struct counts = {};
    int openError = 0;
    int setupError = 0;
    int waitError = 0;
    bool waitSupported = true;
    bool countersSupported = true;
    int waiters = 0;
    int wakeUps = 0; // waits that returned for a change
    std::optional<int> linesInsideNextWait;
    fakeserial::Termios lastSetup = {};
    std::chrono::milliseconds counterLag{0};
    std::vector<LateEdge> lateEdges;
    int ioctlsUntilUnplug = 0; // 0: never
};

Device &device()
{
    static Device instance;
    return instance;
}

// Lets close() and ioctl() tell the fake descriptor apart without locking.
std::atomic<int> g_fakeFd{-1};
// Descriptors of a device that was unplugged while open: every request on
// them fails with EIO, as on a hung-up terminal, until they are closed.
constexpr int kDeadSlots = 8;
std::atomic<int> g_deadFds[kDeadSlots] = {-1, -1, -1, -1, -1, -1, -1, -1};

bool isDead(int fd)
{
    for (const std::atomic<int> &slot : g_deadFds) {
        if (slot.load() == fd)
            return true;
    }
    return false;
}
// Futex word: advances on every change a waiter could care about.
std::atomic<int> g_changes{0};

template <typename Function> Function realFunction(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

using OpenFunction = int (*)(const char *, int, ...);
using CloseFunction = int (*)(int);
using IoctlFunction = int (*)(int, unsigned long, ...);

int realClose(int fd)
{
    static const auto function = realFunction<CloseFunction>("close");
    return function(fd);
}

int realIoctl(int fd, unsigned long request, void *argument)
{
    static const auto function = realFunction<IoctlFunction>("ioctl");
    return function(fd, request, argument);
}

template <typename Value> void set(Value Device::*field, Value value)
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    d.*field = value;
}

void wakeWaiters()
{
    g_changes.fetch_add(1);
    ::syscall(SYS_futex, reinterpret_cast<int *>(&g_changes), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr,
              nullptr, 0);
}

int fail(int error)
{
    errno = error;
    return -1;
}

int openFake(int flags)
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    if (d.fd >= 0)
        return fail(EBUSY);
    if (d.openError != 0)
        return fail(d.openError);
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    char name[64] = {};
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0)
        return fail(EIO);
    static const auto realOpen = realFunction<OpenFunction>("open");
    const int fd = realOpen(name, O_RDWR | O_NOCTTY | (flags & (O_NONBLOCK | O_CLOEXEC)));
    if (fd < 0) {
        const int error = errno;
        realClose(master);
        return fail(error);
    }
    d.fd = fd;
    d.master = master;
    d.outputs = outputLines; // the kernel raises DTR and RTS on open
    g_fakeFd.store(fd);
    return fd;
}

bool isFakePath(const char *path)
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    return path != nullptr && !d.path.empty() && d.path == path;
}

void count(Device &d, int changes)
{
    d.counts.cts += (changes & TIOCM_CTS) != 0;
    d.counts.dsr += (changes & TIOCM_DSR) != 0;
    d.counts.dcd += (changes & TIOCM_CD) != 0;
    d.counts.rng += (changes & TIOCM_RNG) != 0;
}

// Edges whose time has come reach the counters. Called with the mutex held.
void countDueEdges(Device &d)
{
    const Clock::time_point now = Clock::now();
    std::erase_if(d.lateEdges, [&](const LateEdge &edge) {
        if (edge.due > now)
            return false;
        count(d, edge.line);
        return true;
    });
}

// Every input line that changes counts one edge, at once or after the
// counter lag. Called with the mutex held.
void applyLines(Device &d, int lines)
{
    const int changes = (d.inputs ^ lines) & inputLines;
    if (d.counterLag.count() == 0)
        count(d, changes);
    else if (changes != 0)
        d.lateEdges.push_back({Clock::now() + d.counterLag, changes});
    d.inputs = lines & inputLines;
}

// The device goes away: the path no longer opens, the open descriptor is
// hung up and blocked waits fail. Called with the mutex held.
void unplugLocked(Device &d)
{
    d.path.clear();
    const int fd = d.fd;
    if (fd >= 0) {
        for (std::atomic<int> &slot : g_deadFds) {
            int free = -1;
            if (slot.compare_exchange_strong(free, fd))
                break;
        }
        g_fakeFd.store(-1);
        realClose(d.master);
        d.fd = d.master = -1;
    }
    d.outputs = 0;
    ++d.generation;
}

bool changed(const serial_icounter_struct &before, const serial_icounter_struct &now, int lines)
{
    return ((lines & TIOCM_CTS) && before.cts != now.cts) ||
           ((lines & TIOCM_DSR) && before.dsr != now.dsr) ||
           ((lines & TIOCM_CD) && before.dcd != now.dcd) ||
           ((lines & TIOCM_RNG) && before.rng != now.rng);
}

// TIOCMIWAIT as a serial driver does it: returns when one of the lines
// changes after the call began; EINTR on a signal, EIO when the device closes.
int waitForChange(int lines)
{
    Device &d = device();
    std::unique_lock lock(d.mutex);
    if (!d.waitSupported)
        return fail(ENOTTY);
    if (d.linesInsideNextWait) {
        applyLines(d, *d.linesInsideNextWait);
        d.linesInsideNextWait.reset();
    }
    const serial_icounter_struct start = d.counts;
    const int generation = d.generation;
    ++d.waiters;
    int result = 0;
    for (;;) {
        if (d.waitError != 0) {
            result = fail(d.waitError);
            break;
        }
        if (d.generation != generation) {
            result = fail(EIO);
            break;
        }
        countDueEdges(d);
        if (changed(start, d.counts, lines)) {
            ++d.wakeUps;
            break;
        }
        // Late edges wake the waiter when they reach the counters.
        std::optional<timespec> timeout;
        if (!d.lateEdges.empty()) {
            const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
                d.lateEdges.front().due - Clock::now());
            const long long ns = std::max<long long>(left.count(), 0);
            timeout = timespec{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
        }
        const int seen = g_changes.load();
        lock.unlock();
        const long woken =
            ::syscall(SYS_futex, reinterpret_cast<int *>(&g_changes), FUTEX_WAIT_PRIVATE, seen,
                      timeout ? &*timeout : nullptr, nullptr, 0);
        const int error = errno;
        lock.lock();
        if (woken != 0 && error == EINTR) {
            result = fail(EINTR);
            break;
        }
    }
    --d.waiters;
    return result;
}

int fakeIoctl(int fd, unsigned long request, void *argument)
{
    Device &d = device();
    std::unique_lock lock(d.mutex);
    if (fd != d.fd) // unplugged since the caller looked
        return fail(EIO);
    if (d.ioctlsUntilUnplug > 0 && --d.ioctlsUntilUnplug == 0) {
        unplugLocked(d);
        lock.unlock();
        wakeWaiters();
        return fail(EIO);
    }
    switch (request) {
    case TIOCMGET:
        *static_cast<int *>(argument) = d.inputs | d.outputs;
        return 0;
    case TIOCMBIS:
        d.outputs |= *static_cast<int *>(argument) & outputLines;
        return 0;
    case TIOCMBIC:
        d.outputs &= ~*static_cast<int *>(argument);
        return 0;
    case TIOCMSET:
        d.outputs = *static_cast<int *>(argument) & outputLines;
        return 0;
    case TIOCMIWAIT:
        lock.unlock();
        // The line mask is passed by value.
        return waitForChange(static_cast<int>(reinterpret_cast<std::intptr_t>(argument)));
    case TIOCGICOUNT:
        if (!d.countersSupported)
            return fail(ENOTTY);
        countDueEdges(d);
        *static_cast<serial_icounter_struct *>(argument) = d.counts;
        return 0;
    case TIOCGSERIAL:
        *static_cast<serial_struct *>(argument) = {};
        return 0;
    case TIOCSSERIAL:
        d.lastSetup.lowLatency =
            (static_cast<serial_struct *>(argument)->flags & ASYNC_LOW_LATENCY) != 0;
        return 0;
    case TCSETS2:
    case TCSETSW2:
    case TCSETSF2: {
        if (d.setupError != 0)
            return fail(d.setupError);
        const auto *tio = static_cast<const termios2 *>(argument);
        const bool lowLatency = d.lastSetup.lowLatency;
        d.lastSetup = {tio->c_iflag,  tio->c_oflag,  tio->c_cflag, tio->c_lflag,
                       tio->c_ispeed, tio->c_ospeed, lowLatency};
        break;
    }
    default:
        break;
    }
    lock.unlock();
    return realIoctl(fd, request, argument);
}

int closeFake(int fd)
{
    Device &d = device();
    {
        const std::lock_guard lock(d.mutex);
        g_fakeFd.store(-1);
        realClose(d.master);
        d.fd = d.master = -1;
        d.outputs = 0;
        ++d.generation;
    }
    wakeWaiters();
    return realClose(fd);
}

int openPath(const char *path, int flags, mode_t mode)
{
    if (isFakePath(path))
        return openFake(flags);
    static const auto function = realFunction<OpenFunction>("open");
    return function(path, flags, mode);
}

mode_t modeArgument(int flags, va_list arguments)
{
    return (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE
               ? static_cast<mode_t>(va_arg(arguments, int))
               : 0;
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openPath(path, flags, mode);
}

// The same function in glibc on 64-bit systems.
int open64(const char *path, int flags, ...) __attribute__((alias("open")));

int close(int fd)
{
    if (fd >= 0 && fd == g_fakeFd.load())
        return closeFake(fd);
    for (std::atomic<int> &slot : g_deadFds) {
        int dead = fd;
        if (fd >= 0 && slot.compare_exchange_strong(dead, -1))
            break;
    }
    return realClose(fd);
}

int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list arguments;
    va_start(arguments, request);
    void *const argument = va_arg(arguments, void *);
    va_end(arguments);
    if (fd >= 0 && fd == g_fakeFd.load())
        return fakeIoctl(fd, request, argument);
    if (fd >= 0 && isDead(fd))
        return fail(EIO);
    return realIoctl(fd, request, argument);
}

} // extern "C"

namespace fakeserial {

void attach(const char *path)
{
    Device &d = device();
    {
        const std::lock_guard lock(d.mutex);
        d.path = path;
        d.inputs = 0;
        d.counts = {};
        d.openError = d.setupError = d.waitError = 0;
        d.waitSupported = d.countersSupported = true;
        d.lastSetup = {};
        d.linesInsideNextWait.reset();
        d.counterLag = std::chrono::milliseconds(0);
        d.lateEdges.clear();
        d.ioctlsUntilUnplug = 0;
        d.wakeUps = 0;
    }
    wakeWaiters();
}

void detach()
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    d.path.clear();
}

void setLines(int lines, int pulsed)
{
    Device &d = device();
    {
        const std::lock_guard lock(d.mutex);
        applyLines(d, d.inputs ^ (pulsed & inputLines));
        applyLines(d, d.inputs ^ (pulsed & inputLines));
        applyLines(d, lines);
    }
    wakeWaiters();
}

void changeLinesInsideNextWait(int lines)
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    d.linesInsideNextWait = lines;
}

void toggleLines(int lines)
{
    Device &d = device();
    int now = 0;
    {
        const std::lock_guard lock(d.mutex);
        now = d.inputs;
    }
    setLines(now ^ lines);
}

int lines()
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    return d.inputs | d.outputs;
}

void failOpen(int error)
{
    set(&Device::openError, error);
}

void failSetup(int error)
{
    set(&Device::setupError, error);
}

void failWait(int error)
{
    set(&Device::waitError, error);
    wakeWaiters();
}

void setWaitSupported(bool supported)
{
    set(&Device::waitSupported, supported);
}

void setCountersSupported(bool supported)
{
    set(&Device::countersSupported, supported);
}

void unplug()
{
    Device &d = device();
    {
        const std::lock_guard lock(d.mutex);
        unplugLocked(d);
    }
    wakeWaiters();
}

void unplugAtIoctl(int n)
{
    set(&Device::ioctlsUntilUnplug, n);
}

void lagCounters(int ms)
{
    set(&Device::counterLag, std::chrono::milliseconds(ms));
}

bool isOpen()
{
    if (g_fakeFd.load() >= 0)
        return true;
    for (const std::atomic<int> &slot : g_deadFds) {
        if (slot.load() >= 0)
            return true;
    }
    return false;
}

int wakeUps()
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    return d.wakeUps;
}

bool waitForWakeUp(int count, int timeoutMs)
{
    Device &d = device();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        {
            const std::lock_guard lock(d.mutex);
            if (d.wakeUps >= count && d.waiters == 1)
                return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

bool waitForWaiters(int count, int timeoutMs)
{
    Device &d = device();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        {
            const std::lock_guard lock(d.mutex);
            if (d.waiters == count)
                return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

Termios lastSetup()
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    return d.lastSetup;
}

} // namespace fakeserial
