#include "platform/ThreadPriority.h"

#include <windows.h>

namespace platform {

ThreadPriority raiseCurrentThreadPriority()
{
    return ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL)
               ? ThreadPriority::Raised
               : ThreadPriority::Normal;
}

} // namespace platform
