#include "protocol/AttemptCursor.h"

namespace protocol {

void AttemptCursor::show(const Protocol &protocol, qsizetype athlete)
{
    m_athlete = qBound(qsizetype(0), athlete, protocol.size() - 1);
    m_attempt = nextAttempt(protocol.athlete(m_athlete));
    m_picked = false;
}

bool AttemptCursor::pickAttempt(int attempt)
{
    if (attempt < 0 || attempt >= MaxAttempts)
        return false;
    m_attempt = attempt;
    m_picked = true;
    return true;
}

qsizetype AttemptCursor::openForRun(Protocol &protocol, const QString &startNumber)
{
    const qsizetype index = protocol.openAthlete(startNumber);
    // A pick belongs to the athlete shown; without one the run goes into
    // the first attempt not run as the protocol stands now.
    if (index != m_athlete || !m_picked)
        show(protocol, index);
    return index;
}

bool AttemptCursor::storeRun(Protocol &protocol, const RunTimes &times)
{
    if (!protocol.storeAttempt(m_athlete, m_attempt, times.splits))
        return false;
    m_picked = false;
    return true;
}

} // namespace protocol
