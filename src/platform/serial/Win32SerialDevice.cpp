#include "platform/serial/Win32SerialDevice.h"

namespace platform::serial {
namespace {

// The system's message for an error code as it comes (line break included),
// else the code in decimal.
QString errorText(DWORD error)
{
    char text[256] = {};
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                         MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, 255, nullptr);
    return length != 0 ? QString::fromLocal8Bit(text, int(length)) : QString::number(error);
}

// A port held by another program also answers "access denied" here, so
// only a missing device has a kind of its own.
ErrorKind kindOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEV_NOT_EXIST: // removed while open
    case ERROR_DEVICE_NOT_CONNECTED:
        return ErrorKind::Missing;
    default:
        return ErrorKind::Other;
    }
}

[[noreturn]] void throwLastError()
{
    const DWORD error = ::GetLastError();
    throw SystemError(errorText(error), kindOf(error));
}

// A wait whose result keeps failing belongs to a device that is gone; one
// failure alone is what the system reports now and then.
constexpr int kFailedResultsOfAGoneDevice = 3;
// Between failed results, so a removed device cannot spin the worker.
constexpr DWORD kRetryPauseMs = 20;

// Every Windows this program runs on belongs to the NT family, which names
// ports above COM9 only with the device prefix.
HANDLE openOverlapped(const QString &device)
{
    return ::CreateFileA(device.toLatin1().constData(), GENERIC_READ | GENERIC_WRITE,
                         0 /* not shared */, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
}

} // namespace

QString deviceName(int port)
{
    return QStringLiteral("\\\\.\\COM") + QString::number(port);
}

QString stableNameOf(const QString &)
{
    return {};
}

QString devicePath(int port, const QString &)
{
    return deviceName(port);
}

std::unique_ptr<SerialDevice> openSerialDevice(const QString &device)
{
    const HANDLE handle = openOverlapped(device);
    if (handle == INVALID_HANDLE_VALUE)
        throwLastError();
    return std::make_unique<Win32SerialDevice>(handle);
}

bool isPortPresent(const QString &device)
{
    const HANDLE handle = openOverlapped(device);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool isCharacterDevice = ::GetFileType(handle) == FILE_TYPE_CHAR;
    ::CloseHandle(handle);
    return isCharacterDevice;
}

Win32SerialDevice::Win32SerialDevice(HANDLE handle)
    : m_handle(handle)
    , m_stopEvent(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
    , m_ioEvent(::CreateEventA(nullptr, TRUE, TRUE, nullptr))
{
}

Win32SerialDevice::~Win32SerialDevice()
{
    ::CloseHandle(m_ioEvent);
    ::CloseHandle(m_stopEvent);
    ::CloseHandle(m_handle);
}

void Win32SerialDevice::configure(const LineSettings &settings)
{
    DCB dcb = {};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = DWORD(settings.baudRate);
    dcb.fBinary = TRUE;
    dcb.fDtrControl = settings.enableDtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    switch (settings.flowControl) {
    case FlowControl::RtsCts:
        dcb.fOutxCtsFlow = TRUE;
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
        break;
    case FlowControl::XonXoff:
        dcb.fOutX = TRUE;
        dcb.fInX = TRUE;
        dcb.fRtsControl = settings.enableRts ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
        break;
    case FlowControl::None:
        dcb.fRtsControl = settings.enableRts ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
        break;
    }
    m_discardInput = settings.discardInput;
    dcb.XonLim = WORD(settings.writeBufSize / 4);
    dcb.XoffLim = 1;
    dcb.ByteSize = BYTE(settings.dataBits);
    dcb.Parity = BYTE(settings.parity);
    dcb.StopBits = BYTE(settings.stopBits);
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    if (!::SetCommState(m_handle, &dcb))
        throwLastError();

    COMMTIMEOUTS timeouts = {};
    if (!::GetCommTimeouts(m_handle, &timeouts))
        throwLastError();
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 1000;
    timeouts.WriteTotalTimeoutConstant = 1500;
    if (!::SetCommTimeouts(m_handle, &timeouts))
        throwLastError();

    if (!::SetupComm(m_handle, DWORD(settings.readBufSize), DWORD(settings.writeBufSize)))
        throwLastError();
}

void Win32SerialDevice::watch(quint32 eventMask)
{
    ::SetCommMask(m_handle, eventMask);
}

WaitResult Win32SerialDevice::waitForEvents()
{
    const HANDLE waitList[] = {m_stopEvent, m_ioEvent};
    int failedResults = 0;
    for (;;) {
        OVERLAPPED overlapped = {};
        overlapped.hEvent = m_ioEvent;
        if (!::WaitCommEvent(m_handle, &m_eventMask, &overlapped) &&
            ::GetLastError() != ERROR_IO_PENDING)
            return {WaitResult::Outcome::Failed, 0};
        const DWORD fired = ::WaitForMultipleObjects(2, waitList, FALSE, INFINITE);
        DWORD transferred = 0;
        if (fired == WAIT_OBJECT_0 + 1) {
            // Windows counts no edges, so it can tell of no whole pulse.
            if (::GetOverlappedResult(m_handle, &overlapped, &transferred, FALSE)) {
                if (m_discardInput)
                    purgeInput();
                return {WaitResult::Outcome::Events, m_eventMask, modemStatus(), 0};
            }
            // A failed result dispatches nothing; wait again, after a pause
            // in which a stop still counts.
            if (++failedResults == kFailedResultsOfAGoneDevice)
                return {WaitResult::Outcome::Failed, 0};
            if (::WaitForSingleObject(m_stopEvent, kRetryPauseMs) == WAIT_OBJECT_0)
                return {WaitResult::Outcome::Stopped, 0};
            continue;
        }
        // The pending wait writes into overlapped and the mask: clearing the
        // mask completes it, and it must be complete before they go away.
        ::SetCommMask(m_handle, 0);
        ::GetOverlappedResult(m_handle, &overlapped, &transferred, TRUE);
        if (fired == WAIT_OBJECT_0)
            return {WaitResult::Outcome::Stopped, 0};
        return {WaitResult::Outcome::Failed, 0};
    }
}

void Win32SerialDevice::interrupt()
{
    ::SetEvent(m_stopEvent);
}

quint32 Win32SerialDevice::modemStatus()
{
    DWORD errors = 0;
    ::ClearCommError(m_handle, &errors, nullptr); // result discarded on purpose
    DWORD status = 0;
    return ::GetCommModemStatus(m_handle, &status) ? status : 0;
}

int Win32SerialDevice::inputQueueCount()
{
    DWORD errors = 0;
    COMSTAT comStat = {};
    return ::ClearCommError(m_handle, &errors, &comStat) ? int(comStat.cbInQue) : 0;
}

void Win32SerialDevice::purgeInput()
{
    ::PurgeComm(m_handle, PURGE_RXABORT | PURGE_RXCLEAR);
}

} // namespace platform::serial
