#include "platform/serial/PosixSerialDevice.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <system_error>

// termios2 (any baud rate) lives in the kernel's header, which clashes with <termios.h>.
#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::serial {
namespace {

QString errorText(int error)
{
    return QString::fromStdString(std::system_category().message(error));
}

ErrorKind kindOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case EIO: // a terminal whose device is gone answers every request so
        return ErrorKind::Missing;
    case EACCES:
    case EPERM:
        return ErrorKind::AccessDenied;
    default:
        return ErrorKind::Other;
    }
}

[[noreturn]] void throwLastError()
{
    const int error = errno;
    throw SystemError(errorText(error), kindOf(error));
}

// Wakes the worker out of TIOCMIWAIT or its polling sleep. Installed without
// SA_RESTART, so the blocked call returns EINTR instead of resuming.
int interruptSignal()
{
    return SIGRTMIN + 2;
}

void ignoreSignal(int) {}

// A change in the microseconds between our counter read and the kernel's own
// snapshot inside TIOCMIWAIT does not end that wait; the wait is cut short at
// this interval so the counters are read again.
constexpr long recheckNs = 10'000'000;

void installInterruptHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action = {};
        action.sa_handler = &ignoreSignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(interruptSignal(), &action, nullptr);
    });
}

// As exclusive as Linux allows: TIOCEXCL refuses further opens of the device
// (root excepted), the lock refuses other programs that lock it as well.
bool claimExclusively(int fd)
{
    struct stat info = {};
    if (::fstat(fd, &info) != 0)
        return false;
    if (!S_ISCHR(info.st_mode)) {
        errno = ENOTTY;
        return false;
    }
    return ::ioctl(fd, TIOCEXCL) == 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

int openExclusively(const QString &name)
{
    if (name.isEmpty()) {
        errno = ENOENT;
        return -1;
    }
    // Non-blocking, so opening does not wait for DCD.
    const int fd =
        ::open(QFile::encodeName(name).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (!claimExclusively(fd)) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

tcflag_t dataBitsFlag(int dataBits)
{
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

tcflag_t parityFlags(int parity)
{
    switch (parity) {
    case 1:
        return PARENB | PARODD;
    case 2:
        return PARENB;
    case 3:
        return PARENB | CMSPAR | PARODD; // stick parity: odd sense = mark
    case 4:
        return PARENB | CMSPAR;
    default:
        return 0;
    }
}

int setModemLine(int fd, int line, bool on)
{
    return ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

quint32 statusOf(int lines)
{
    quint32 status = 0;
    if (lines & TIOCM_CTS)
        status |= MS_CTS_ON;
    if (lines & TIOCM_DSR)
        status |= MS_DSR_ON;
    if (lines & TIOCM_RNG)
        status |= MS_RING_ON;
    if (lines & TIOCM_CD)
        status |= MS_RLSD_ON;
    return status;
}

// MS_* bits of the input lines; 0 when they cannot be read.
quint32 readStatus(int fd)
{
    int lines = 0;
    return ::ioctl(fd, TIOCMGET, &lines) == 0 ? statusOf(lines) : 0;
}

} // namespace

std::unique_ptr<SerialDevice> openSerialDevice(const QString &device)
{
    const int fd = openExclusively(device);
    if (fd < 0)
        throwLastError();
    return std::make_unique<PosixSerialDevice>(fd);
}

bool isPortPresent(const QString &device)
{
    const int fd = openExclusively(device);
    if (fd < 0)
        return false;
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
    return true;
}

PosixSerialDevice::PosixSerialDevice(int fd)
    : m_fd(fd)
{
    installInterruptHandler();
}

PosixSerialDevice::~PosixSerialDevice()
{
    if (m_recheckTimer)
        ::timer_delete(*m_recheckTimer);
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd);
}

void PosixSerialDevice::configure(const LineSettings &settings)
{
    // Speed 0 would mean "hang up" (DTR off), not a rate.
    if (settings.baudRate <= 0)
        throw SystemError(errorText(EINVAL));
    struct termios2 tio = {};
    if (::ioctl(m_fd, TCGETS2, &tio) != 0)
        throwLastError();

    // Raw binary mode. CLOCAL keeps a DCD drop from hanging the line up:
    // DCD is a barrier line here, not a carrier.
    tio.c_iflag = settings.flowControl == FlowControl::XonXoff ? (IXON | IXOFF) : 0;
    tio.c_oflag = 0;
    tio.c_lflag = 0;
    tio.c_cflag &= HUPCL; // the system's choice; everything else is ours
    tio.c_cflag |= CLOCAL | BOTHER | dataBitsFlag(settings.dataBits) | parityFlags(settings.parity);
    // Without CREAD the driver drops what arrives; each wake-up flushes what
    // drivers that ignore the flag kept.
    if (!settings.discardInput)
        tio.c_cflag |= CREAD;
    m_discardInput = settings.discardInput;
    // Linux has no 1.5 stop bits; the UART sends 1.5 for CSTOPB with 5 data bits.
    if (settings.stopBits != 0)
        tio.c_cflag |= CSTOPB;
    if (settings.flowControl == FlowControl::RtsCts)
        tio.c_cflag |= CRTSCTS;
    tio.c_ispeed = tio.c_ospeed = static_cast<speed_t>(settings.baudRate);
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    // Reads return at once with what is there.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::ioctl(m_fd, TCSETS2, &tio) != 0)
        throwLastError();

    // DTR feeds the start and intermediate loops, RTS the stop loop. With
    // hardware flow control the driver holds RTS on until its input fills.
    if (setModemLine(m_fd, TIOCM_DTR, settings.enableDtr) != 0 ||
        setModemLine(m_fd, TIOCM_RTS,
                     settings.flowControl == FlowControl::RtsCts || settings.enableRts) != 0)
        throwLastError();
    // Linux sizes its queues itself; there is nothing to apply for the buffer sizes.

    requestLowLatency();
}

// USB adapters otherwise collect line changes for up to 16 ms. Drivers that
// do not know the request, or refuse it to us, keep their default.
void PosixSerialDevice::requestLowLatency()
{
    struct serial_struct serial = {};
    if (::ioctl(m_fd, TIOCGSERIAL, &serial) != 0)
        return;
    serial.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(m_fd, TIOCSSERIAL, &serial);
}

void PosixSerialDevice::watch(quint32 eventMask)
{
    m_eventMask = eventMask;
    struct serial_icounter_struct counters = {};
    m_counters = ::ioctl(m_fd, TIOCGICOUNT, &counters) == 0;
    if (const std::optional<EdgeTracker::Look> now = look())
        m_tracker.reset(*now);
}

std::optional<EdgeTracker::Look> PosixSerialDevice::look() const
{
    const auto readLevels = [this](EdgeTracker::Look &look) {
        int lines = 0;
        if (::ioctl(m_fd, TIOCMGET, &lines) != 0)
            return false;
        look.status = statusOf(lines);
        return true;
    };
    EdgeTracker::Look result;
    if (!m_counters)
        return readLevels(result) ? std::optional(result) : std::nullopt;
    // The levels are read between two counter readings that agree, so on a
    // driver whose counters keep up they show exactly the edges counted.
    // Should edges keep coming, the levels go with the earlier counts: the
    // later edges are then reported by the next look.
    result.counted = true;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const std::optional<Counts> before = readCounters();
        if (!before || !readLevels(result))
            return std::nullopt;
        const std::optional<Counts> after = readCounters();
        if (!after)
            return std::nullopt;
        result.counts = *before;
        if (*after == *before)
            break;
    }
    return result;
}

std::optional<PosixSerialDevice::Counts> PosixSerialDevice::readCounters() const
{
    struct serial_icounter_struct counters = {};
    if (::ioctl(m_fd, TIOCGICOUNT, &counters) != 0)
        return std::nullopt;
    return Counts{quint32(counters.cts), quint32(counters.dsr), quint32(counters.dcd),
                  quint32(counters.rng)};
}

WaitResult PosixSerialDevice::waitForEvents()
{
    {
        const std::lock_guard lock(m_waiterMutex);
        m_waiter = ::pthread_self();
        m_waiting = true;
    }
    const auto leave = qScopeGuard([this] {
        const std::lock_guard lock(m_waiterMutex);
        m_waiting = false;
    });

    for (;;) {
        if (m_stop.load())
            return {WaitResult::Outcome::Stopped, 0};
        // Changes that came while the last events were being handled are
        // caught here, before the kernel is asked to wait for the next one.
        // A device that no longer answers is gone (unplugged, hung up).
        const std::optional<EdgeTracker::Look> now = look();
        if (!now)
            return {WaitResult::Outcome::Failed, 0};
        if (m_discardInput)
            purgeInput();
        const EdgeTracker::Changes changes = m_tracker.update(*now, m_eventMask);
        if (changes.events != 0)
            return {WaitResult::Outcome::Events, changes.events, now->status, changes.pulsed};
        if (!blockUntilLineChange())
            return {WaitResult::Outcome::Failed, 0};
    }
}

// Returns false when the wait failed for good.
bool PosixSerialDevice::blockUntilLineChange()
{
    if (m_modemWait) {
        int lines = 0;
        if (m_eventMask & EV_CTS)
            lines |= TIOCM_CTS;
        if (m_eventMask & EV_DSR)
            lines |= TIOCM_DSR;
        if (m_eventMask & EV_RLSD)
            lines |= TIOCM_CD;
        if (m_eventMask & EV_RING)
            lines |= TIOCM_RNG;
        armRecheck();
        if (::ioctl(m_fd, TIOCMIWAIT, lines) == 0 || errno == EINTR)
            return true;
        if (errno != ENOTTY && errno != EINVAL)
            return false;
        m_modemWait = false; // the driver cannot wait: poll from now on
    }
    const timespec oneMillisecond = {0, 1'000'000};
    ::nanosleep(&oneMillisecond, nullptr); // EINTR just ends the nap early
    return true;
}

// Runs on the worker thread, which the timer then signals.
void PosixSerialDevice::armRecheck()
{
    if (!m_recheckTimer) {
        sigevent event = {};
        event.sigev_notify = SIGEV_THREAD_ID;
        event.sigev_signo = interruptSignal();
        event._sigev_un._tid = ::gettid();
        timer_t timer = {};
        if (::timer_create(CLOCK_MONOTONIC, &event, &timer) != 0)
            return;
        m_recheckTimer = timer;
    }
    const itimerspec once = {{0, 0}, {0, recheckNs}};
    ::timer_settime(*m_recheckTimer, 0, &once, nullptr);
}

void PosixSerialDevice::interrupt()
{
    m_stop.store(true);
    const std::lock_guard lock(m_waiterMutex);
    if (m_waiting)
        ::pthread_kill(m_waiter, interruptSignal());
}

quint32 PosixSerialDevice::modemStatus()
{
    return readStatus(m_fd);
}

int PosixSerialDevice::inputQueueCount()
{
    int count = 0;
    return ::ioctl(m_fd, FIONREAD, &count) == 0 ? count : 0;
}

void PosixSerialDevice::purgeInput()
{
    ::ioctl(m_fd, TCFLSH, TCIFLUSH);
}

} // namespace platform::serial
