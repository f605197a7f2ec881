#pragma once

#include <QString>

namespace platform {

// What raiseCurrentThreadPriority() obtained.
enum class ThreadPriority {
    Normal,   // the system allowed nothing more
    Raised,   // above the other threads of ordinary programs
    RealTime, // ahead of every ordinary thread whenever it is ready
};

// Asks the system to run the calling thread ahead of ordinary work, so a
// thread that waits for an edge wakes at once even when every core is busy.
// Linux: real-time scheduling (SCHED_FIFO) where the user may have it
// (root, CAP_SYS_NICE or an RLIMIT_RTPRIO), else a raised nice value where
// RLIMIT_NICE allows, else nothing. Windows: time-critical priority, which
// every program may give its own threads.
ThreadPriority raiseCurrentThreadPriority();

// "real-time", "raised" or "normal".
QString describe(ThreadPriority priority);

} // namespace platform
