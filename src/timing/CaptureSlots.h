#pragma once

#include <QtGlobal>

#include <array>
#include <optional>

// The barriers a run takes a time at after the start, in track order. The
// split table has one column per slot, in this order.
enum class CaptureSlot { FirstIntermediate, SecondIntermediate, ThirdIntermediate, Finish };
inline constexpr int kCaptureSlots = 4;

// The capture slots of a run: first, second, third intermediate, finish.
// 0 = not taken. During a run a taken slot holds the raw tick; from the stop
// on it holds the elapsed milliseconds since the start.
using CaptureSlots = std::array<qint64, kCaptureSlots>;

// A time per capture slot, milliseconds since the start; none where the
// barrier gave no time (which is not the same as a time of 0).
using SplitTimes = std::array<std::optional<qint32>, kCaptureSlots>;

// What a finished run hands on: its final time and the split times, the
// finish slot holding the final time.
struct RunTimes
{
    qint32 finalTime = 0;
    SplitTimes splits;

    friend bool operator==(const RunTimes &, const RunTimes &) = default;
};
