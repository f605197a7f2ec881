#include "platform/serial/EdgeTracker.h"

#include "platform/serial/SerialDevice.h"

namespace platform::serial {
namespace {

struct LineBits
{
    quint32 event;
    quint32 status;
};

constexpr std::array<LineBits, EdgeTracker::kLines> kLineBits = {{
    {EV_CTS, MS_CTS_ON},
    {EV_DSR, MS_DSR_ON},
    {EV_RLSD, MS_RLSD_ON},
    {EV_RING, MS_RING_ON},
}};

} // namespace

void EdgeTracker::reset(const Look &look)
{
    m_accounted = look.counts;
    m_reportedStatus = look.status;
}

EdgeTracker::Changes EdgeTracker::update(const Look &look, quint32 eventMask)
{
    Changes changes;
    for (int line = 0; line < kLines; ++line) {
        const LineBits bits = kLineBits[line];
        // Signed, so a count that wrapped, or one still behind what the levels
        // showed, reads right.
        const qint32 ahead = look.counted ? qint32(look.counts[line] - m_accounted[line]) : 0;
        const quint32 counted = ahead > 0 ? quint32(ahead) : 0;
        const bool levelChanged = ((look.status ^ m_reportedStatus) & bits.status) != 0;
        // An odd number of edges changes the level, an even one does not; an
        // edge the counters have not shown yet makes up the difference.
        quint32 edges = counted;
        if ((edges % 2 == 1) != levelChanged)
            ++edges;
        if (look.counted)
            m_accounted[line] =
                (ahead > 0 ? look.counts[line] : m_accounted[line]) + (edges - counted);
        if (edges == 0 || (eventMask & bits.event) == 0)
            continue;
        changes.events |= bits.event;
        if (edges % 2 == 0)
            changes.pulsed |= bits.event;
    }
    m_reportedStatus = look.status;
    return changes;
}

} // namespace platform::serial
