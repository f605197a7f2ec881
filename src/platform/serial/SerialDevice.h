#pragma once

#include <QString>

#include <memory>
#include <stdexcept>

// The operating system's side of a serial port, as far as a watcher of the
// modem status lines needs it. One implementation per platform; the factory
// openSerialDevice() picks the one this build has.
namespace platform::serial {

// Event bits of a completed wait (the Win32 EV_* values).
inline constexpr quint32 EV_RXCHAR = 0x0001;
inline constexpr quint32 EV_RXFLAG = 0x0002;
inline constexpr quint32 EV_TXEMPTY = 0x0004;
inline constexpr quint32 EV_CTS = 0x0008;
inline constexpr quint32 EV_DSR = 0x0010;
inline constexpr quint32 EV_RLSD = 0x0020;
inline constexpr quint32 EV_BREAK = 0x0040;
inline constexpr quint32 EV_ERR = 0x0080;
inline constexpr quint32 EV_RING = 0x0100;

// Modem status bits (the Win32 MS_* values).
inline constexpr quint32 MS_CTS_ON = 0x0010;
inline constexpr quint32 MS_DSR_ON = 0x0020;
inline constexpr quint32 MS_RING_ON = 0x0040;
inline constexpr quint32 MS_RLSD_ON = 0x0080;

enum class FlowControl { None, RtsCts, XonXoff };

// Why a device could not be opened or used, as far as the program acts on it.
enum class ErrorKind {
    Other,
    Missing,      // no such device (never there, or unplugged)
    AccessDenied, // the device is there but this user may not open it
};

// The device-control values the port is configured from.
struct LineSettings
{
    qint32 baudRate = 9600;
    int dataBits = 8; // 5..8
    int parity = 0;   // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0; // 0 one, 1 one and a half, 2 two
    FlowControl flowControl = FlowControl::None;
    bool enableDtr = true;  // hold DTR on while open
    bool enableRts = false; // hold RTS on while open, without handshaking
    // Nothing is ever read: received bytes are thrown away rather than
    // collected, so noise on the receive pin fills no buffer.
    bool discardInput = false;
    qint32 readBufSize = 2048;
    qint32 writeBufSize = 2048;
};

// A failed system call; text() is the system's own error text.
class SystemError : public std::runtime_error
{
public:
    explicit SystemError(const QString &text, ErrorKind kind = ErrorKind::Other);
    QString text() const;
    ErrorKind kind() const { return m_kind; }

private:
    ErrorKind m_kind;
};

struct WaitResult
{
    enum class Outcome {
        Events,  // events holds the EV_* bits that occurred
        Stopped, // interrupt() was called
        Failed,  // the device failed (removed, hung up); waiting again is pointless
    };
    Outcome outcome = Outcome::Stopped;
    quint32 events = 0;
    // MS_* bits read together with the events: the lines as of the wake-up.
    quint32 status = 0;
    // EV_* bits (within events) of lines that went through a whole pulse since
    // the last report: an even number of edges, so their level in status is
    // the one they had before. Only devices that count edges can tell.
    quint32 pulsed = 0;
};

// The MS_* bit of each line event among events.
quint32 statusBitsOf(quint32 events);

// An open, exclusively held serial device. Closed by the destructor.
// waitForEvents() runs on one worker thread; interrupt() may be called from
// any thread; everything else belongs to the thread that opened the device.
class SerialDevice
{
public:
    virtual ~SerialDevice() = default;
    SerialDevice(const SerialDevice &) = delete;
    SerialDevice &operator=(const SerialDevice &) = delete;

    // Throws SystemError.
    virtual void configure(const LineSettings &settings) = 0;

    // Selects the EV_* events that waitForEvents() reports. Only changes
    // after this call count: a line that is already on raises nothing.
    virtual void watch(quint32 eventMask) = 0;

    // Blocks until a watched event occurs, interrupt() is called or the wait fails.
    virtual WaitResult waitForEvents() = 0;

    // Makes the current wait and every later one return Stopped. Repeatable:
    // a caller that waits for the worker to end may call it again meanwhile.
    virtual void interrupt() = 0;

    // MS_* bits of the input lines; 0 when they cannot be read.
    virtual quint32 modemStatus() = 0;
    virtual int inputQueueCount() = 0;
    virtual void purgeInput() = 0;

protected:
    SerialDevice() = default;
};

// The system's name of port n ("COM"n): on Windows "\\.\COMn"; elsewhere the
// device of the table COM1-4 -> ttyS0-3, COM5-12 -> ttyUSB0-7,
// COM13-16 -> ttyACM0-3 in /dev or $TAVRIN_DEV_DIR; empty outside the table.
QString deviceName(int port);

// A USB adapter gets the next free ttyUSB when it is plugged in, but keeps a
// stable name in serial/by-id (under /dev or $TAVRIN_DEV_DIR) made from its
// maker, model and serial number. Windows keeps the COM number of an adapter
// itself and has no such names: there both functions answer empty.
//
// The stable name of a device; empty when it has none (built-in ports).
QString stableNameOf(const QString &device);
// The device that port n is found at: the one its stable name points to
// while that name exists, else deviceName(n).
QString devicePath(int port, const QString &stableName);

// Opens a device exclusively. Throws SystemError.
std::unique_ptr<SerialDevice> openSerialDevice(const QString &device);

// True when the device opens exclusively and is a character device; it is
// closed again at once.
bool isPortPresent(const QString &device);

} // namespace platform::serial
