#include "timing/RunEngine.h"

#include "platform/Tick.h"

#include <cstdlib>

RunTimes RunRecord::times() const
{
    RunTimes times;
    if (!startTick)
        return times;
    for (int slot = 0; slot < kCaptureSlots; ++slot) {
        if (captureTicks[slot])
            times.splits[slot] = elapsedTicks(*captureTicks[slot], *startTick);
    }
    if (stopTick)
        times.finalTime = elapsedTicks(*stopTick, *startTick);
    return times;
}

RunEngine::RunEngine(QObject *parent)
    : RunEngine(&platform::GetTickCount, parent)
{
}

RunEngine::RunEngine(Clock clock, QObject *parent)
    : QObject(parent)
    , m_clock(std::move(clock))
{
}

void RunEngine::setStartNumber(int number)
{
    number = qBound(kMinStartNumber, number, kMaxStartNumber);
    if (m_state != State::Ready || number == m_startNumber)
        return;
    m_startNumber = number;
    Q_EMIT startNumbersChanged(m_startNumber, m_nextStartNumber);
}

void RunEngine::setNextStartNumber(int number)
{
    number = qBound(kMinStartNumber, number, kMaxStartNumber);
    if (number == m_nextStartNumber)
        return;
    m_nextStartNumber = number;
    Q_EMIT startNumbersChanged(m_startNumber, m_nextStartNumber);
}

qint32 RunEngine::sinceStart(quint32 tick) const
{
    return m_record.startTick ? elapsedTicks(tick, *m_record.startTick) : 0;
}

bool RunEngine::inLockout(quint32 tick) const
{
    if (!m_lockoutStart)
        return false;
    // An edge a little before the instant that began the lockout (a command
    // read the clock after the edge was stamped) belongs to the same passage.
    return std::abs(qint64(elapsedTicks(tick, *m_lockoutStart))) < m_lockoutInterval;
}

bool RunEngine::lockoutActive() const
{
    return inLockout(m_clock());
}

void RunEngine::expireLockout(quint32 tick)
{
    // Ended for good once its interval has passed, so that the wrap of the
    // counter can never bring it back.
    if (m_lockoutStart && elapsedTicks(tick, *m_lockoutStart) >= m_lockoutInterval)
        m_lockoutStart.reset();
}

void RunEngine::startLockout(quint32 tick)
{
    if (m_lockoutInterval > 0 && !inLockout(tick))
        m_lockoutStart = tick;
}

bool RunEngine::stampedBeforeStart(quint32 tick) const
{
    return m_state != State::Ready && sinceStart(tick) < 0;
}

bool RunEngine::lineActs(Line line, bool level, quint32 tick)
{
    std::optional<bool> &last = m_levels[index(line)];
    if (last == level)
        return false;
    last = level;
    // An edge that reaches us after a start it happened before is not part
    // of that run.
    if (stampedBeforeStart(tick) || inLockout(tick))
        return false;
    switch (m_mode) {
    case ActOnLineOn:
        return level;
    case ActOnLineOff:
        return !level;
    case ActOnAnyChange:
        return true;
    default:
        return false;
    }
}

void RunEngine::lineEvent(Line line, bool level, quint32 tick)
{
    expireLockout(tick);
    if (!lineActs(line, level, tick))
        return;
    switch (line) {
    case Line::Start:
        triggerStart(tick);
        break;
    case Line::Intermediate:
        takeIntermediate(tick);
        // On any change the next event of this line counts, whatever its level.
        if (m_mode == ActOnAnyChange)
            m_levels[index(line)].reset();
        break;
    case Line::Stop:
        takeStopLine(tick);
        break;
    }
}

void RunEngine::forgetLineLevels()
{
    m_levels = {};
}

void RunEngine::triggerStart(quint32 tick)
{
    if (m_state == State::Ready && lockArmed(Lock::Start))
        startRun(tick);
    // The start line never starts a run twice on one arming.
    if (lockArmed(Lock::Start))
        setLock(Lock::Start, false);
}

void RunEngine::capture(CaptureSlot slot, quint32 tick)
{
    m_record.captureTicks[int(slot)] = tick;
    const qint32 ms = sinceStart(tick);
    Q_EMIT intermediateCaptured(slot, ms);
    Q_EMIT distanceLabelChanged(true,
                                QString::number(m_distances[int(slot)]) + QStringLiteral(" m"));
    showTime(DisplayRow::Lower, ms);
}

void RunEngine::takeIntermediate(quint32 tick)
{
    if (m_state != State::Running)
        return;
    const auto &ticks = m_record.captureTicks;
    if (!ticks[int(CaptureSlot::FirstIntermediate)]) {
        capture(CaptureSlot::FirstIntermediate, tick);
    } else if (ticks[int(CaptureSlot::SecondIntermediate)] &&
               !ticks[int(CaptureSlot::ThirdIntermediate)]) {
        capture(CaptureSlot::ThirdIntermediate, tick);
        // From the third intermediate time on the finish counts.
        setLock(Lock::Stop, true);
    } else {
        // A second event of this line before the second intermediate time
        // is not a barrier of this run.
        return;
    }
    startLockout(tick);
}

void RunEngine::takeStopLine(quint32 tick)
{
    if (m_state != State::Running)
        return;
    if (!m_record.captureTicks[int(CaptureSlot::SecondIntermediate)]) {
        capture(CaptureSlot::SecondIntermediate, tick);
        startLockout(tick);
    } else if (lockArmed(Lock::Stop)) {
        stopRun(tick);
        startLockout(tick);
    }
}

void RunEngine::start()
{
    if (m_state == State::Ready)
        startRun(m_clock());
}

void RunEngine::stop()
{
    if (m_state == State::Running)
        stopRun(m_clock());
}

void RunEngine::startRun(quint32 tick)
{
    m_record = {};
    m_record.startTick = tick;
    m_state = State::Running;
    showTime(DisplayRow::Lower, 0);
    Q_EMIT runStarted(m_startNumber);
    // Every start blocks the start line.
    setLock(Lock::Start, false);
    Q_EMIT stateChanged(m_state);
}

void RunEngine::stopRun(quint32 tick)
{
    m_record.stopTick = tick;
    m_record.captureTicks[int(CaptureSlot::Finish)] = tick;
    m_state = State::Stopped;
    const RunTimes times = m_record.times();
    Q_EMIT distanceLabelChanged(true, QString());
    showTime(DisplayRow::Lower, times.finalTime);
    showTime(DisplayRow::Upper, times.finalTime);
    Q_EMIT runFinished(times);
    // Every stop blocks the finish.
    setLock(Lock::Stop, false);
    Q_EMIT stateChanged(m_state);
}

void RunEngine::reset()
{
    if (m_state != State::Stopped)
        return;
    m_state = State::Ready;
    m_record = {};
    m_startNumber = m_nextStartNumber;
    m_nextStartNumber = qMin(m_nextStartNumber + 1, kMaxStartNumber);
    Q_EMIT displayCleared();
    showTime(DisplayRow::Upper, 0);
    showTime(DisplayRow::Lower, 0);
    Q_EMIT startNumbersChanged(m_startNumber, m_nextStartNumber);
    Q_EMIT distanceLabelChanged(false, QString());
    // The start lock stays as it is: the operator arms it before each start.
    Q_EMIT stateChanged(m_state);
}

void RunEngine::setLock(Lock lock, bool armed)
{
    bool &current = m_armed[index(lock)];
    if (current == armed)
        return;
    current = armed;
    Q_EMIT lockChanged(lock, armed);
}

void RunEngine::toggleLock(Lock lock)
{
    setLock(lock, !lockArmed(lock));
}

void RunEngine::testKey(int key)
{
    const quint32 now = m_clock();
    expireLockout(now);
    // A test key is the barrier event itself: no line level to compare and
    // no mode to obey, but the lockout holds as for a real passage.
    const bool acts = !inLockout(now);
    switch (key) {
    case 1:
        if (acts)
            triggerStart(now);
        start();
        break;
    case 2:
    case 4:
        if (acts)
            takeIntermediate(now);
        break;
    case 3:
        if (acts)
            takeStopLine(now);
        break;
    case 5:
        if (acts)
            takeStopLine(now);
        stop();
        break;
    default:
        break;
    }
}

void RunEngine::displayTick()
{
    const quint32 now = m_clock();
    expireLockout(now);
    if (m_state == State::Running)
        showTime(DisplayRow::Upper, sinceStart(now));
}

void RunEngine::showTime(DisplayRow row, qint32 ms)
{
    Q_EMIT timeShown(row, ms, digitsForTime(row, ms));
}
