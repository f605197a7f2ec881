#pragma once

#include "timing/CaptureSlots.h"
#include "timing/TimeDisplay.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// The ticks of the current run: its start, its stop and the instant of each
// capture slot taken so far (the finish slot is the stop).
struct RunRecord
{
    std::optional<quint32> startTick;
    std::optional<quint32> stopTick;
    std::array<std::optional<quint32>, kCaptureSlots> captureTicks;

    // The slots taken so far as milliseconds since the start; the final time
    // is 0 until the run has stopped.
    RunTimes times() const;

    friend bool operator==(const RunRecord &, const RunRecord &) = default;
};

// The run timing engine: turns barrier line events and the operator's
// commands into timed runs. It holds the run state, the run record, the two
// barrier locks, the lockout and the start numbers, and says through its
// signals what is to be shown and stored; it knows no widget and no port.
//
// Instants are ticks of the millisecond counter (32 bits, wrapping): a line
// event brings the tick at which its edge was seen; commands and the display
// tick read the engine's clock. Times are the low 32 bits of the difference
// read as signed, so a wrap of the counter during a run is harmless.
//
// Commands act only in the state that allows them (start in Ready, stop in
// Running, reset in Stopped), as the menu items they stand for. Slots should
// not call commands back from inside a signal: queue them.
class RunEngine : public QObject
{
    Q_OBJECT

public:
    enum class State { Ready, Running, Stopped };
    Q_ENUM(State)
    // The modem lines the barriers are wired to: start line (DSR), first and
    // third intermediate barrier (DCD), second intermediate barrier and
    // finish (CTS).
    enum class Line { Start, Intermediate, Stop };
    Q_ENUM(Line)
    // The start lock arms the start line; the stop lock arms the finish.
    enum class Lock { Start, Stop };
    Q_ENUM(Lock)
    // When a line acts (the setting "Alg"); any other value: lines never act.
    enum Mode : qint32 { ActOnLineOn = 0, ActOnLineOff = 1, ActOnAnyChange = 2 };

    static constexpr int kMinStartNumber = 1;
    static constexpr int kMaxStartNumber = 9999;
    static constexpr qint32 kDefaultLockout = 200;

    using Clock = std::function<quint32()>;

    // Reads the system's tick counter.
    explicit RunEngine(QObject *parent = nullptr);
    // Reads the given clock instead (tests, benchmarks).
    explicit RunEngine(Clock clock, QObject *parent = nullptr);

    State state() const { return m_state; }
    const RunRecord &record() const { return m_record; }
    bool lockArmed(Lock lock) const { return m_armed[index(lock)]; }
    // Whether the lockout holds now, by the engine's clock.
    bool lockoutActive() const;
    int startNumber() const { return m_startNumber; }
    int nextStartNumber() const { return m_nextStartNumber; }

    // Settings: the line mode, the lockout in milliseconds (0 switches it
    // off) and the distances of the three intermediate barriers in metres,
    // which name the intermediate time shown.
    qint32 mode() const { return m_mode; }
    void setMode(qint32 mode) { m_mode = mode; }
    qint32 lockoutInterval() const { return m_lockoutInterval; }
    void setLockoutInterval(qint32 ms) { m_lockoutInterval = qMax(ms, 0); }
    void setDistances(const std::array<qint32, 3> &metres) { m_distances = metres; }

    // The start numbers, held at 1 .. 9999. The current one changes only in
    // Ready (its field is disabled otherwise).
    void setStartNumber(int number);
    void setNextStartNumber(int number);

    // A line's level changed at tick (true: the line is on). Events must
    // arrive in the order they were seen. An event whose level equals the
    // last one of its line is no change and does nothing; an event stamped
    // before the run's start, or within the lockout, is not acted on.
    void lineEvent(Line line, bool level, quint32 tick);
    // The port was (re)opened: the lines' last levels are unknown, so the
    // next event of each line counts as a change.
    void forgetLineLevels();

    // The operator's commands (START, STOPP, RESET, F11/F12).
    void start();
    void stop();
    void reset();
    void toggleLock(Lock lock);
    // Test key 1 .. 5: the barrier event it simulates, whatever the lines'
    // levels and the mode: 1 start line and start, 2 and 4 intermediate
    // line, 3 stop line, 5 stop line and stop. The lockout holds for them.
    void testKey(int key);

    // The running display's refresh: shows the time since the start from
    // the clock alone, so late refreshes never make it drift.
    void displayTick();

Q_SIGNALS:
    void stateChanged(RunEngine::State state);
    // A digit row is to show ms; digits holds its controls' values and colours.
    void timeShown(DisplayRow row, qint32 ms, const QList<DigitShow> &digits);
    // The caption that names the intermediate time shown ("10 m"); visible
    // and empty from the stop on, hidden from the reset on.
    void distanceLabelChanged(bool visible, const QString &text);
    // The reset clears the digits: the lit colours go back to the active
    // colour and the caption to "Zwischenzeit:"; the zeros follow.
    void displayCleared();
    // A run has started for the current start number; its attempt is to be
    // found or made in the protocol.
    void runStarted(int startNumber);
    void intermediateCaptured(CaptureSlot slot, qint32 ms);
    void runFinished(const RunTimes &times);
    void lockChanged(RunEngine::Lock lock, bool armed);
    void startNumbersChanged(int current, int next);

private:
    static constexpr int index(Lock lock) { return int(lock); }
    static constexpr int index(Line line) { return int(line); }

    bool lineActs(Line line, bool level, quint32 tick);
    bool inLockout(quint32 tick) const;
    void expireLockout(quint32 tick);
    void startLockout(quint32 tick);
    bool stampedBeforeStart(quint32 tick) const;
    void triggerStart(quint32 tick);
    void takeIntermediate(quint32 tick);
    void takeStopLine(quint32 tick);
    void capture(CaptureSlot slot, quint32 tick);
    void startRun(quint32 tick);
    void stopRun(quint32 tick);
    void setLock(Lock lock, bool armed);
    void showTime(DisplayRow row, qint32 ms);
    qint32 sinceStart(quint32 tick) const;

    Clock m_clock;
    State m_state = State::Ready;
    RunRecord m_record;
    std::array<bool, 2> m_armed{false, false};
    // The last level seen on each line; none: unknown, the next one counts.
    std::array<std::optional<bool>, 3> m_levels;
    // The lockout runs from this tick for m_lockoutInterval milliseconds.
    std::optional<quint32> m_lockoutStart;
    qint32 m_lockoutInterval = kDefaultLockout;
    qint32 m_mode = ActOnLineOn;
    std::array<qint32, 3> m_distances{5, 10, 15};
    int m_startNumber = 1;
    int m_nextStartNumber = 2;
};
