#pragma once

#include <QtGlobal>

#include <array>

namespace platform::serial {

// Tells which modem input lines changed between two looks at a port, from
// the driver's edge counters where it keeps them and from the line levels.
// Neither alone is enough: the counters of some USB adapters lag the levels
// by milliseconds, and levels alone miss a pulse that is over before the next
// look. So a level unlike the one last reported is a change even before its
// edge is counted; a counted edge whose line is back at the reported level is
// a whole pulse; and edges already reported from the levels are not reported
// again when the counters catch up.
class EdgeTracker
{
public:
    // The lines in the order of Look::counts: CTS, DSR, DCD, RING.
    static constexpr int kLines = 4;

    // One look at the lines.
    struct Look
    {
        quint32 status = 0;                   // MS_* levels
        std::array<quint32, kLines> counts{}; // edges counted by the driver
        bool counted = false;                 // false: the driver keeps no counters
    };

    struct Changes
    {
        quint32 events = 0; // EV_* of every line that changed
        // EV_* (within events) of lines that went through a whole pulse and
        // are back at the level last reported.
        quint32 pulsed = 0;
    };

    // From now on changes are measured from this look.
    void reset(const Look &look);

    // What changed since the last look, as far as eventMask (EV_*) watches.
    // Unwatched lines are followed all the same, so watching them later
    // starts from their true state.
    Changes update(const Look &look, quint32 eventMask);

private:
    // Per line: edges taken into account so far, in the driver's count; it
    // runs ahead of the count while the levels are ahead of the counters.
    std::array<quint32, kLines> m_accounted{};
    quint32 m_reportedStatus = 0;
};

} // namespace platform::serial
