#include "controls/Comms.h"

#include "platform/Tick.h"

#include <QDeadlineTimer>
#include <QPointer>
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

void TComPort::Open()
{
    Close();
    std::unique_ptr<serial::SerialDevice> device;
    try {
        device = serial::openSerialDevice(m_port);
    } catch (const serial::SystemError &e) {
        throw EComHandle(QStringLiteral("Unable to open com port: ") + e.text());
    }
    try {
        device->configure(lineSettings());
    } catch (const serial::SystemError &e) {
        // The device closes with `device`: a failed set-up leaves nothing open.
        throw EComState(QStringLiteral("Unable to set com state: ") + e.text());
    }
    device->watch(systemEventMask());
    m_device = std::move(device);
    m_thread = std::make_unique<TComThread>(*this, *m_device);
    m_thread->start();
    m_connected = true;
    emit opened();
}

void TComPort::Close()
{
    if (!m_connected)
        return;
    m_thread.reset();
    m_device.reset();
    m_connected = false;
    ++m_closeCount;
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
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_served.notify_all();
    // A hand-over may arrive while we wait; serving it here is what keeps
    // this from locking up. The device is prodded again each round, since a
    // wake-up can slip in just before the worker blocks.
    do {
        m_device.interrupt();
        servePending();
    } while (!wait(QDeadlineTimer(1)));
}

void TComThread::run()
{
    for (;;) {
        const serial::WaitResult result = m_device.waitForEvents();
        // Taken the moment the wait returns: the instant of the edge as far
        // as this side can tell, however busy the main thread is.
        const quint32 tick = platform::GetTickCount();
        if (result.outcome != serial::WaitResult::Outcome::Events)
            break;
        // A pulse the levels no longer show is reported as it happened: its
        // lines first at their inverted level, then back, so a handler
        // comparing levels sees both edges. Lines that changed once are
        // reported in the first dispatch only.
        if (result.pulsed != 0 &&
            !handOver({result.events, tick, result.status ^ serial::statusBitsOf(result.pulsed)}))
            break;
        const quint32 events = result.pulsed != 0 ? result.pulsed : result.events;
        if (!handOver({events, tick, result.status}))
            break;
    }
    m_device.purgeInput();
}

// Runs the dispatch on the main thread and returns when it is done; false
// when the port is being closed.
bool TComThread::handOver(const TComPort::WaitReport &report)
{
    std::unique_lock lock(m_mutex);
    if (m_stopping)
        return false;
    m_pending = report;
    QMetaObject::invokeMethod(this, &TComThread::servePending, Qt::QueuedConnection);
    // A Close() from inside the dispatch cannot wait for it to finish, so
    // stopping while it runs lets the worker go.
    m_served.wait(lock, [this] { return !m_pending || (m_stopping && m_serving); });
    return !m_stopping;
}

void TComThread::servePending()
{
    std::unique_lock lock(m_mutex);
    if (!m_pending || m_serving)
        return;
    const TComPort::WaitReport report = *m_pending;
    m_serving = true;
    lock.unlock();
    const QPointer<TComThread> self(this); // a handler may close the port, and so free us
    m_port.dispatch(report);
    if (!self)
        return;
    lock.lock();
    m_serving = false;
    m_pending.reset();
    lock.unlock();
    m_served.notify_all();
}

quint32 ProbePorts()
{
    quint32 present = 0;
    quint32 highest = 0;
    for (int port = 1; port <= 16; ++port) {
        if (serial::isPortPresent(port)) {
            present |= 1u << (port - 1);
            highest = quint32(port);
        }
    }
    return present | (highest << 16);
}
