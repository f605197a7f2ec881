#pragma once

#include "platform/serial/SerialDevice.h"

#include <windows.h>

namespace platform::serial {

// Serial device of Windows: the communications API with an overlapped
// WaitCommEvent, interrupted through a manual-reset stop event.
class Win32SerialDevice final : public SerialDevice
{
public:
    // Takes ownership of handle, opened overlapped.
    explicit Win32SerialDevice(HANDLE handle);
    ~Win32SerialDevice() override;

    void configure(const LineSettings &settings) override;
    void watch(quint32 eventMask) override;
    WaitResult waitForEvents() override;
    void interrupt() override;
    quint32 modemStatus() override;
    int inputQueueCount() override;
    void purgeInput() override;

private:
    const HANDLE m_handle;
    const HANDLE m_stopEvent; // manual reset, created non-signalled
    const HANDLE m_ioEvent;   // manual reset, created signalled
    DWORD m_eventMask = 0;    // filled by the system for the worker
    bool m_discardInput = false;
};

} // namespace platform::serial
