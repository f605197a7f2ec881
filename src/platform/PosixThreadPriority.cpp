#include "platform/ThreadPriority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace platform {
namespace {

// Low among real-time priorities: ahead of every ordinary thread, behind the
// kernel's own interrupt threads, which deliver the edges in the first place.
constexpr int kRealTimePriority = 10;
// As far up as an unprivileged user is usually let go with an RLIMIT_NICE.
constexpr int kRaisedNice = -10;

} // namespace

ThreadPriority raiseCurrentThreadPriority()
{
    sched_param param = {};
    param.sched_priority = kRealTimePriority;
    if (::pthread_setschedparam(::pthread_self(), SCHED_FIFO, &param) == 0)
        return ThreadPriority::RealTime;
    // On Linux a nice value belongs to the thread given by its id.
    if (::setpriority(PRIO_PROCESS, id_t(::gettid()), kRaisedNice) == 0)
        return ThreadPriority::Raised;
    return ThreadPriority::Normal;
}

} // namespace platform
