#include "platform/ThreadPriority.h"

namespace platform {

QString describe(ThreadPriority priority)
{
    switch (priority) {
    case ThreadPriority::RealTime:
        return QStringLiteral("real-time");
    case ThreadPriority::Raised:
        return QStringLiteral("raised");
    case ThreadPriority::Normal:
        break;
    }
    return QStringLiteral("normal");
}

} // namespace platform
