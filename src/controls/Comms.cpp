#include "controls/Comms.h"

#include "platform/ThreadPriority.h"
#include "platform/Tick.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QScopedValueRollback>

#include <algorithm>
#include <array>
#include <utility>

namespace serial = platform::serial;

namespace {

constexpr qint32 baudRates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                19200, 38400, 56000, 57600, 115200, 128000, 256000};

// System event bit of each TEvent, by ordinal.
constexpr std::array<quint32, 9> systemEventBits = {
    serial::EV_RXCHAR, serial::EV_TXEMPTY, serial::EV_RXFLAG, serial::EV_RING, serial::EV_BREAK,
    serial::EV_CTS,    serial::EV_DSR,     serial::EV_ERR,    serial::EV_RLSD,
};

} // namespace

TComPort::TComPort(QObject *owner)
    : QObject(owner)
{
}

TComPort::~TComPort()
{
    Close();
}

void TComPort::setDataBits(quint8 value)
{
    if (value != m_dataBits)
        m_dataBits = std::clamp<quint8>(value, 5, 8);
}

serial::LineSettings TComPort::lineSettings() const
{
    serial::LineSettings settings;
    settings.baudRate = m_baudRate == brUser ? m_baudRateUser : baudRates[m_baudRate];
    settings.dataBits = m_dataBits;
    settings.parity = m_parity;
    settings.stopBits = m_stopBits;
    settings.flowControl = m_flowControl == fcRtsCts    ? serial::FlowControl::RtsCts
                           : m_flowControl == fcXonXoff ? serial::FlowControl::XonXoff
                                                        : serial::FlowControl::None;
    settings.enableDtr = m_enableDTR;
    settings.enableRts = m_enableRTS;
    // Only a watcher of received characters reads; everyone else must not
    // let them pile up.
    settings.discardInput = (m_events & (1u << evRxChar)) == 0;
    settings.readBufSize = m_readBufSize;
    settings.writeBufSize = m_writeBufSize;
    return settings;
}

quint32 TComPort::systemEventMask() const
{
    quint32 mask = 0;
    for (std::size_t event = 0; event < systemEventBits.size(); ++event) {
        if (m_events & (1u << event))
            mask |= systemEventBits[event];
    }
    return mask;
}

QString TComPort::deviceName() const
{
    return serial::devicePath(m_port, m_stableName);
}

void TComPort::Open()
{
    Close();
    const QString name = deviceName();
    std::unique_ptr<serial::SerialDevice> device;
    try {
        device = serial::openSerialDevice(name);
    } catch (const serial::SystemError &e) {
        throw EComHandle(QStringLiteral("Unable to open com port: ") + e.text(), e.kind());
    }
    try {
        device->configure(lineSettings());
    } catch (const serial::SystemError &e) {
        // The device closes with `device`: a failed set-up leaves nothing open.
        throw EComState(QStringLiteral("Unable to set com state: ") + e.text(), e.kind());
    }
    device->watch(systemEventMask());
    if (m_stableName.isEmpty())
        m_stableName = serial::stableNameOf(name);
    m_device = std::move(device);
    m_thread = std::make_unique<TComThread>(*this, *m_device);
    m_thread->start();
    m_connected = true;
    emit opened();
}

void TComPort::Close()
{
    if (!m_connected || m_closing)
        return;
    {
        const QScopedValueRollback closing(m_closing, true);
        m_thread.reset();
        // What the worker stamped before it stopped still happened; from a
        // handler the rest of the queue is dropped instead.
        if (!m_dispatchingQueue)
            dispatchQueued();
        takeQueued();
        m_device.reset();
        m_connected = false;
        ++m_closeCount;
    }
    emit closed();
}

quint32 TComPort::ModemStatus() const
{
    if (!m_device)
        return 0;
    return m_dispatching ? m_dispatching->status : m_device->modemStatus();
}

int TComPort::InputQueueCount() const
{
    return m_device ? m_device->inputQueueCount() : 0;
}

quint32 TComPort::eventTick() const
{
    return m_dispatching ? m_dispatching->tick : platform::GetTickCount();
}

void TComPort::post(const WaitReport &report)
{
    bool first = false;
    {
        const std::lock_guard lock(m_queueMutex);
        first = m_queue.empty();
        m_queue.push_back(report);
    }
    // One call serves everything queued until it runs.
    if (first)
        QMetaObject::invokeMethod(this, &TComPort::dispatchQueued, Qt::QueuedConnection);
}

std::vector<TComPort::WaitReport> TComPort::takeQueued()
{
    std::vector<WaitReport> reports;
    const std::lock_guard lock(m_queueMutex);
    reports.swap(m_queue);
    return reports;
}

void TComPort::dispatchQueued()
{
    // A handler that runs an event loop of its own (a dialog) must not start
    // a second round: the reports would be handled out of order.
    if (m_dispatchingQueue)
        return;
    const QScopedValueRollback dispatchingQueue(m_dispatchingQueue, true);
    const quint32 closeCount = m_closeCount;
    for (std::vector<WaitReport> reports = takeQueued(); !reports.empty(); reports = takeQueued()) {
        for (const WaitReport &report : reports) {
            // Closed by a handler: a closed port reports nothing more.
            if (m_closeCount != closeCount)
                return;
            if (report.deviceFailed) {
                // A Close() already under way ends it anyway.
                if (m_closing)
                    return;
                Close();
                emit failed();
                return;
            }
            dispatch(report);
        }
    }
}

void TComPort::dispatch(const WaitReport &report)
{
    static constexpr std::pair<quint32, void (TComPort::*)()> order[] = {
        {serial::EV_TXEMPTY, &TComPort::txEmpty}, {serial::EV_BREAK, &TComPort::breakDetected},
        {serial::EV_RING, &TComPort::ring},       {serial::EV_CTS, &TComPort::cts},
        {serial::EV_DSR, &TComPort::dsr},         {serial::EV_RXFLAG, &TComPort::rxFlag},
        {serial::EV_RLSD, &TComPort::rlsd},       {serial::EV_ERR, &TComPort::error},
    };
    const QScopedValueRollback<std::optional<WaitReport>> dispatching(m_dispatching, report);
    const quint32 eventMask = report.eventMask;
    // A handler that closes the port ends the dispatch: a closed port reports nothing.
    const quint32 closeCount = m_closeCount;
    if (eventMask & serial::EV_RXCHAR)
        emit rxChar(InputQueueCount());
    for (const auto &[bit, signal] : order) {
        if (m_closeCount != closeCount)
            return;
        if (eventMask & bit)
            (this->*signal)();
    }
}

TComThread::TComThread(TComPort &port, serial::SerialDevice &device)
    : m_port(port)
    , m_device(device)
{
}

TComThread::~TComThread()
{
    // The device is prodded again each round, since a wake-up can slip in
    // just before the worker blocks.
    do {
        m_device.interrupt();
    } while (!wait(QDeadlineTimer(1)));
}

void TComThread::run()
{
    // Where the system refuses, the worker runs as any other thread: its
    // wake-ups may then come late on a machine whose cores are all busy.
    platform::raiseCurrentThreadPriority();
    for (;;) {
        const serial::WaitResult result = m_device.waitForEvents();
        // Taken the moment the wait returns: the instant of the edge as far
        // as this side can tell, however busy the main thread is.
        const quint32 tick = platform::GetTickCount();
        if (result.outcome == serial::WaitResult::Outcome::Stopped)
            break;
        if (result.outcome == serial::WaitResult::Outcome::Failed) {
            m_port.post({0, tick, 0, true});
            break;
        }
        // A pulse the levels no longer show is reported as it happened: its
        // lines first at their inverted level, then back, so a handler
        // comparing levels sees both edges. Lines that changed once are
        // reported in the first dispatch only.
        if (result.pulsed != 0)
            m_port.post({result.events, tick, result.status ^ serial::statusBitsOf(result.pulsed)});
        const quint32 events = result.pulsed != 0 ? result.pulsed : result.events;
        m_port.post({events, tick, result.status});
    }
    m_device.purgeInput();
}

quint32 ProbePorts(int stablePort, const QString &stableName)
{
    const QString stableDevice =
        stablePort != 0 ? serial::devicePath(stablePort, stableName) : QString();
    const auto sameDevice = [](const QString &a, const QString &b) {
        return !a.isEmpty() && QDir::cleanPath(a) == QDir::cleanPath(b);
    };
    quint32 present = 0;
    quint32 highest = 0;
    for (int port = 1; port <= 16; ++port) {
        const QString device = port == stablePort ? stableDevice : serial::deviceName(port);
        // The adapter of the stable name, plugged in again under another number.
        if (port != stablePort && sameDevice(device, stableDevice))
            continue;
        if (serial::isPortPresent(device)) {
            present |= 1u << (port - 1);
            highest = quint32(port);
        }
    }
    return present | (highest << 16);
}
