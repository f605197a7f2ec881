#pragma once

#include "protocol/Protocol.h"
#include "timing/CaptureSlots.h"

namespace protocol {

// Which athlete's split table is shown and which of its attempts the next
// run fills. By default that is the athlete's first attempt not run, chosen
// afresh at every start; the operator may pick another one, and that pick
// holds until another athlete is shown or a run has been stored into it.
class AttemptCursor
{
public:
    // The athlete shown (0-based) and the attempt (0 to 4) the next run fills.
    qsizetype athlete() const { return m_athlete; }
    int attempt() const { return m_attempt; }

    // Shows an athlete (clamped to the protocol's rows).
    void show(const Protocol &protocol, qsizetype athlete);
    // The operator's choice of attempt for the next run; false when there is
    // no such attempt.
    bool pickAttempt(int attempt);

    // A run starts for a start number: the protocol's row for it is opened
    // (found or made) and shown, keeping the operator's pick when that
    // athlete was shown already. Returns the athlete's index.
    qsizetype openForRun(Protocol &protocol, const QString &startNumber);
    // The run has ended: its times go into the chosen attempt; the next run
    // chooses afresh. False when the athlete no longer exists.
    bool storeRun(Protocol &protocol, const RunTimes &times);

private:
    qsizetype m_athlete = 0;
    int m_attempt = 0;
    // The operator picked m_attempt for the athlete shown.
    bool m_picked = false;
};

} // namespace protocol
