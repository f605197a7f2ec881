#include "FakeSerial.h"

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
    std::optional<int> linesInsideNextWait;
    fakeserial::Termios lastSetup = {};
};

Device &device()
{
    static Device instance;
    return instance;
}

// Lets close() and ioctl() tell the fake descriptor apart without locking.
std::atomic<int> g_fakeFd{-1};
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

// Every input line that changes counts one edge. Called with the mutex held.
void applyLines(Device &d, int lines)
{
    const int changes = (d.inputs ^ lines) & inputLines;
    d.counts.cts += (changes & TIOCM_CTS) != 0;
    d.counts.dsr += (changes & TIOCM_DSR) != 0;
    d.counts.dcd += (changes & TIOCM_CD) != 0;
    d.counts.rng += (changes & TIOCM_RNG) != 0;
    d.inputs = lines & inputLines;
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
        if (changed(start, d.counts, lines))
            break;
        const int seen = g_changes.load();
        lock.unlock();
        const long woken = ::syscall(SYS_futex, reinterpret_cast<int *>(&g_changes),
                                     FUTEX_WAIT_PRIVATE, seen, nullptr, nullptr, 0);
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

int fakeIoctl(unsigned long request, void *argument)
{
    Device &d = device();
    std::unique_lock lock(d.mutex);
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
    const int fd = d.fd;
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
    return realClose(fd);
}

int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list arguments;
    va_start(arguments, request);
    void *const argument = va_arg(arguments, void *);
    va_end(arguments);
    if (fd >= 0 && fd == g_fakeFd.load())
        return fakeIoctl(request, argument);
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
    }
    wakeWaiters();
}

void detach()
{
    Device &d = device();
    const std::lock_guard lock(d.mutex);
    d.path.clear();
}

void setLines(int lines)
{
    Device &d = device();
    {
        const std::lock_guard lock(d.mutex);
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

bool isOpen()
{
    return g_fakeFd.load() >= 0;
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
