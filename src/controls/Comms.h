#pragma once

#include "platform/serial/SerialDevice.h"

#include <QObject>
#include <QThread>

#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <vector>

class TComThread;

enum TBaudRate : quint8 {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000,
    brUser
};
enum TParity : quint8 { prNone, prOdd, prEven, prMark, prSpace };
enum TStopBits : quint8 { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TFlowControl : quint8 { fcNone, fcRtsCts, fcXonXoff };
enum TEvent : quint8 {
    evRxChar,
    evTxEmpty,
    evRxFlag,
    evRing,
    evBreak,
    evCTS,
    evDSR,
    evError,
    evRLSD
};

// A set of TEvent: bit n stands for the TEvent of ordinal n.
using TEvents = quint16;

constexpr TEvents eventSet(std::initializer_list<TEvent> events)
{
    TEvents set = 0;
    for (const TEvent event : events)
        set |= TEvents(1u << event);
    return set;
}

inline constexpr TEvents allEvents = 0x01FF;

// Failures of TComPort carry a message, and why the device failed as far as
// a caller acts on it (missing, not allowed).
class EComError : public std::runtime_error
{
public:
    using Kind = platform::serial::ErrorKind;

    explicit EComError(const QString &message, Kind kind = Kind::Other)
        : std::runtime_error(message.toStdString())
        , m_kind(kind)
    {
    }
    QString message() const { return QString::fromStdString(what()); }
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// The device could not be opened.
class EComHandle : public EComError
{
    using EComError::EComError;
};

// The device opened but could not be set up.
class EComState : public EComError
{
    using EComError::EComError;
};

// Owns one serial port and reports changes of its modem status lines as
// signals on the main thread. Property values take effect at the next Open().
//
// Each completed wait is dispatched in this fixed order: rxChar, txEmpty,
// breakDetected, ring, cts, dsr, rxFlag, rlsd, error. So when several lines
// changed within one wait, CTS comes before DSR and both before DCD (rlsd).
// The signals carry no line state: read ModemStatus() and eventTick().
//
// The worker never waits for the main thread: it stamps each wake-up and
// queues it; the main thread dispatches the queue in order when it gets to
// it. A device that fails while open (unplugged, hung up) is closed from the
// main thread after the events before the failure: closed(), then failed().
class TComPort : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TBaudRate baudRate READ baudRate WRITE setBaudRate)
    Q_PROPERTY(qint32 baudRateUser READ baudRateUser WRITE setBaudRateUser)
    Q_PROPERTY(quint8 port READ port WRITE setPort)
    Q_PROPERTY(TParity parity READ parity WRITE setParity)
    Q_PROPERTY(TStopBits stopBits READ stopBits WRITE setStopBits)
    Q_PROPERTY(TFlowControl flowControl READ flowControl WRITE setFlowControl)
    Q_PROPERTY(quint8 dataBits READ dataBits WRITE setDataBits)
    Q_PROPERTY(quint16 events READ events WRITE setEvents)
    Q_PROPERTY(bool enableDTR READ enableDTR WRITE setEnableDTR)
    Q_PROPERTY(bool enableRTS READ enableRTS WRITE setEnableRTS)
    Q_PROPERTY(QString stableName READ stableName WRITE setStableName)
    Q_PROPERTY(qint32 writeBufSize READ writeBufSize WRITE setWriteBufSize)
    Q_PROPERTY(qint32 readBufSize READ readBufSize WRITE setReadBufSize)

public:
    explicit TComPort(QObject *owner = nullptr);
    ~TComPort() override;

    // Closes first, then opens deviceName(), configures it and starts
    // watching; emits opened(). Throws EComHandle or EComState; then nothing
    // is open. Learns the device's stable name when none is set.
    void Open();
    // Ends the worker, dispatches what it had queued, closes the device,
    // emits closed(); nothing when closed. Called from a slot of this port's
    // events, it drops the rest of the queue instead.
    void Close();

    bool connected() const { return m_connected; }

    // The device Open() uses: the one the stable name points to while that
    // exists, else the device of the port number's table entry.
    QString deviceName() const;

    // MS_* bits of the input lines; 0 while closed. During a dispatch: the
    // lines as the worker read them when its wait returned, so handlers see
    // the state of the edge even when the main thread got to it late.
    quint32 ModemStatus() const;
    int InputQueueCount() const;

    // The tick at which the wait being dispatched returned, so handlers time
    // an edge by its arrival, not by when the main thread got to it. Outside
    // a dispatch (test keys, buttons): the current tick.
    quint32 eventTick() const;

    TBaudRate baudRate() const { return m_baudRate; }
    void setBaudRate(TBaudRate value) { m_baudRate = value; }
    qint32 baudRateUser() const { return m_baudRateUser; }
    void setBaudRateUser(qint32 value) { m_baudRateUser = value; }
    quint8 port() const { return m_port; }
    void setPort(quint8 value) { m_port = value; }
    TParity parity() const { return m_parity; }
    void setParity(TParity value) { m_parity = value; }
    TStopBits stopBits() const { return m_stopBits; }
    void setStopBits(TStopBits value) { m_stopBits = value; }
    TFlowControl flowControl() const { return m_flowControl; }
    void setFlowControl(TFlowControl value) { m_flowControl = value; }
    quint8 dataBits() const { return m_dataBits; }
    void setDataBits(quint8 value);
    TEvents events() const { return m_events; }
    void setEvents(TEvents value) { m_events = value; }
    bool enableDTR() const { return m_enableDTR; }
    void setEnableDTR(bool value) { m_enableDTR = value; }
    // Hold RTS on while open, without handshaking (with fcRtsCts the
    // handshake drives it instead).
    bool enableRTS() const { return m_enableRTS; }
    void setEnableRTS(bool value) { m_enableRTS = value; }
    // The adapter's name that survives re-plugging (Linux: serial/by-id).
    QString stableName() const { return m_stableName; }
    void setStableName(const QString &value) { m_stableName = value; }
    qint32 writeBufSize() const { return m_writeBufSize; }
    void setWriteBufSize(qint32 value) { m_writeBufSize = value; }
    qint32 readBufSize() const { return m_readBufSize; }
    void setReadBufSize(qint32 value) { m_readBufSize = value; }

Q_SIGNALS:
    void rxChar(int inQue);
    void txEmpty();
    void breakDetected();
    void ring();
    void cts();
    void dsr();
    void rlsd();
    void rxFlag();
    void error();
    void opened();
    void closed();
    // The device failed while open and the port has closed.
    void failed();

private:
    friend class TComThread;
    // What one dispatch reports: the events, when the wait returned and the
    // line status read with it; or the end of a device that failed.
    struct WaitReport
    {
        quint32 eventMask = 0;
        quint32 tick = 0;
        quint32 status = 0;
        bool deviceFailed = false;
    };

    // Worker side: queues a report for the main thread.
    void post(const WaitReport &report);
    // Main thread: dispatches the queued reports in order.
    void dispatchQueued();
    std::vector<WaitReport> takeQueued();
    void dispatch(const WaitReport &report);
    platform::serial::LineSettings lineSettings() const;
    quint32 systemEventMask() const;

    std::unique_ptr<platform::serial::SerialDevice> m_device;
    std::unique_ptr<TComThread> m_thread; // exists exactly while connected
    bool m_connected = false;
    TBaudRate m_baudRate = br9600;
    qint32 m_baudRateUser = 9600;
    quint8 m_port = 1;
    TParity m_parity = prNone;
    TStopBits m_stopBits = sbOneStopBit;
    TFlowControl m_flowControl = fcNone;
    quint8 m_dataBits = 8;
    TEvents m_events = allEvents;
    bool m_enableDTR = true;
    bool m_enableRTS = false;
    qint32 m_writeBufSize = 2048;
    qint32 m_readBufSize = 2048;
    QString m_stableName;

    // Short-locked: the worker appends, the main thread takes all at once.
    std::mutex m_queueMutex;
    std::vector<WaitReport> m_queue;
    bool m_dispatchingQueue = false;
    bool m_closing = false;
    std::optional<WaitReport> m_dispatching; // set while a dispatch runs
    quint32 m_closeCount = 0;
};

// Waits for the port's events, stamps each wake-up with the tick and queues
// it for the main thread; it never waits for the main thread. A line that
// went through a whole pulse between two wake-ups is queued twice: first with
// its level inverted (the pulse), then as it is now. Runs at a raised
// priority where the system allows it.
class TComThread : public QThread
{
    Q_OBJECT

public:
    TComThread(TComPort &port, platform::serial::SerialDevice &device);
    // Stops the wait and waits for the end.
    ~TComThread() override;

protected:
    void run() override;

private:
    TComPort &m_port;
    platform::serial::SerialDevice &m_device;
};

// Searches COM1..COM16: bit n-1 is set for every present port n; the high
// 16 bits hold the highest present n (0 when none). Port stablePort is looked
// for at the device its stable name points to, and that device is not listed
// again under its own table number.
quint32 ProbePorts(int stablePort = 0, const QString &stableName = {});
