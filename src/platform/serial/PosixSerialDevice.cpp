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

[[noreturn]] void throwLastError()
{
    throw SystemError(errorText(errno));
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

int openExclusively(int port)
{
    const QString name = deviceName(port);
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

QString deviceName(int port)
{
    struct Range
    {
        int firstPort, lastPort;
        const char *stem;
    };
    static constexpr Range table[] = {{1, 4, "ttyS"}, {5, 12, "ttyUSB"}, {13, 16, "ttyACM"}};
    for (const Range &range : table) {
        if (port >= range.firstPort && port <= range.lastPort) {
            const QString dir = qEnvironmentVariable("TAVRIN_DEV_DIR", QStringLiteral("/dev"));
            return dir + u'/' + QLatin1String(range.stem) + QString::number(port - range.firstPort);
        }
    }
    return {};
}

std::unique_ptr<SerialDevice> openSerialDevice(int port)
{
    const int fd = openExclusively(port);
    if (fd < 0)
        throwLastError();
    return std::make_unique<PosixSerialDevice>(fd);
}

bool isPortPresent(int port)
{
    const int fd = openExclusively(port);
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
    tio.c_cflag |=
        CREAD | CLOCAL | BOTHER | dataBitsFlag(settings.dataBits) | parityFlags(settings.parity);
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

    // DTR feeds the start and intermediate loops, RTS the stop loop. Hardware
    // flow control holds RTS on because nothing is ever received.
    if (setModemLine(m_fd, TIOCM_DTR, settings.enableDtr) != 0 ||
        setModemLine(m_fd, TIOCM_RTS, settings.flowControl == FlowControl::RtsCts) != 0)
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
    m_seen = snapshot();
}

PosixSerialDevice::Snapshot PosixSerialDevice::snapshot() const
{
    if (m_counters) {
        // The levels are read between two counter readings that agree, so
        // they show exactly the edges counted. Should edges keep coming, the
        // levels go with the earlier counts: the later edges are then
        // reported by the next wait.
        Snapshot result;
        for (int attempt = 0; attempt < 4; ++attempt) {
            result = readCounters();
            const quint32 status = readStatus(m_fd);
            const Snapshot after = readCounters();
            result.status = status;
            if (!result.ok || !after.ok ||
                (after.cts == result.cts && after.dsr == result.dsr && after.dcd == result.dcd &&
                 after.rng == result.rng))
                break;
        }
        return result;
    }
    Snapshot result;
    int lines = 0;
    result.ok = ::ioctl(m_fd, TIOCMGET, &lines) == 0;
    result.cts = (lines & TIOCM_CTS) != 0;
    result.dsr = (lines & TIOCM_DSR) != 0;
    result.dcd = (lines & TIOCM_CD) != 0;
    result.rng = (lines & TIOCM_RNG) != 0;
    result.status = statusOf(lines);
    return result;
}

PosixSerialDevice::Snapshot PosixSerialDevice::readCounters() const
{
    Snapshot result;
    struct serial_icounter_struct counters = {};
    result.ok = ::ioctl(m_fd, TIOCGICOUNT, &counters) == 0;
    result.cts = quint32(counters.cts);
    result.dsr = quint32(counters.dsr);
    result.dcd = quint32(counters.dcd);
    result.rng = quint32(counters.rng);
    return result;
}

quint32 PosixSerialDevice::eventsSince(const Snapshot &earlier, const Snapshot &now) const
{
    quint32 events = 0;
    if (now.cts != earlier.cts)
        events |= EV_CTS;
    if (now.dsr != earlier.dsr)
        events |= EV_DSR;
    if (now.dcd != earlier.dcd)
        events |= EV_RLSD;
    if (now.rng != earlier.rng)
        events |= EV_RING;
    return events & m_eventMask;
}

// Lines that changed an even number of times, back to their earlier level:
// a whole pulse fell between two looks. Levels alone cannot show that.
quint32 PosixSerialDevice::pulsesSince(const Snapshot &earlier, const Snapshot &now) const
{
    if (!m_counters)
        return 0;
    const auto pulsed = [&](quint32 before, quint32 after, quint32 statusBit) {
        const quint32 edges = after - before;
        return edges >= 2 && edges % 2 == 0 &&
               (earlier.status & statusBit) == (now.status & statusBit);
    };
    quint32 events = 0;
    if (pulsed(earlier.cts, now.cts, MS_CTS_ON))
        events |= EV_CTS;
    if (pulsed(earlier.dsr, now.dsr, MS_DSR_ON))
        events |= EV_DSR;
    if (pulsed(earlier.dcd, now.dcd, MS_RLSD_ON))
        events |= EV_RLSD;
    if (pulsed(earlier.rng, now.rng, MS_RING_ON))
        events |= EV_RING;
    return events & m_eventMask;
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
        const Snapshot now = snapshot();
        if (!now.ok)
            return {WaitResult::Outcome::Failed, 0};
        const quint32 events = eventsSince(m_seen, now);
        const quint32 pulsed = pulsesSince(m_seen, now);
        m_seen = now;
        if (events != 0)
            return {WaitResult::Outcome::Events, events, now.status, pulsed};
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
