#include "platform/Tick.h"

#include <atomic>
#include <chrono>

namespace platform {
namespace {

quint32 monotonicTick()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<quint32>(ms);
}

std::atomic<TickSource> g_source{&monotonicTick};

} // namespace

quint32 GetTickCount()
{
    return g_source.load(std::memory_order_acquire)();
}

void setTickSource(TickSource source)
{
    g_source.store(source ? source : &monotonicTick, std::memory_order_release);
}

} // namespace platform
