#pragma once

#include <QtGlobal>

// Stand-in for the system's millisecond tick counter: milliseconds of a
// monotonic clock, low 32 bits, so it wraps after 2^32 ms like the original.
namespace platform {

using TickSource = quint32 (*)();

// Safe to call from any thread (the serial worker stamps line events with it).
quint32 GetTickCount();

// Replaces the clock for tests; nullptr restores the monotonic clock.
void setTickSource(TickSource source);

} // namespace platform

// Elapsed milliseconds between two tick readings: the low 32 bits of
// (later - start) read as signed, so a wrap of the counter in between is harmless.
constexpr qint32 elapsedTicks(quint32 later, quint32 start)
{
    return static_cast<qint32>(later - start);
}
