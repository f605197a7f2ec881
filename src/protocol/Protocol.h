#pragma once

#include "protocol/ProtocolColumns.h"
#include "protocol/ProtocolData.h"
#include "timing/CaptureSlots.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace protocol {

// One attempt: the time at each capture slot in milliseconds since the
// start; none where the barrier gave no time.
using AttemptTimes = SplitTimes;

struct Athlete
{
    // "Nr.": text as typed or given by the start-number field, and matched
    // as text ("07" is not 7). An athlete without one is not written to files.
    QString startNumber;
    QString name;
    // "Platz": only a loaded file brings it.
    QString place;
    // The "Zeit" a loaded file brought: it stands while no attempt is stored.
    QString loadedTime;
    // Attempts 1 to 5; none: not run.
    std::array<std::optional<AttemptTimes>, MaxAttempts> attempts;

    bool occupied() const { return !startNumber.isEmpty(); }

    friend bool operator==(const Athlete &, const Athlete &) = default;
};

struct AthleteSummary
{
    int attemptsRun = 0;
    // Index (0 to 4) of the slowest of five attempts, left out of the means.
    std::optional<int> struckAttempt;
    // Per capture slot, milliseconds; 0 for a column without any time.
    std::array<qint32, SplitColumns> means{};
    // The athlete's "Zeit": the mean final time as time text once an
    // attempt is stored, else the loaded time, else "0,00".
    QString time;
};

// The split-table rules over the times as their time texts show them
// (hundredths, truncated), so the protocol reads as the tables do.
AthleteSummary summarize(const Athlete &athlete);

// The attempt (0 to 4) the next run fills by default: the first not run, or
// the first again when all five are.
int nextAttempt(const Athlete &athlete);

// The split table as the split grid shows it below its header: the mean row,
// then attempts 1 to 5 as time texts, "-" for a barrier without a time and
// empty cells for an attempt not run.
::SplitBlock splitTexts(const Athlete &athlete);

// The results protocol: one athlete per row, in the order the rows were
// made or loaded. It always holds at least one row, maybe an empty one.
// Indexes are 0-based; an operation given an index out of range changes
// nothing and says so by returning false.
class Protocol
{
public:
    Protocol();

    qsizetype size() const { return m_athletes.size(); }
    const QList<Athlete> &athletes() const { return m_athletes; }
    // Precondition: 0 <= index < size().
    const Athlete &athlete(qsizetype index) const { return m_athletes.at(index); }

    // The first athlete whose start number equals the text exactly; -1 if none.
    qsizetype indexOf(const QString &startNumber) const;
    // For a run's start: the athlete of the start number; else the last row
    // when it has no start number yet, else a new row at the end. That row
    // takes the start number. Returns its index.
    qsizetype openAthlete(const QString &startNumber);

    bool setStartNumber(qsizetype index, const QString &startNumber);
    bool setName(qsizetype index, const QString &name);
    bool storeAttempt(qsizetype index, int attempt, const AttemptTimes &times);
    bool removeAttempt(qsizetype index, int attempt);
    // Removes a row; the only row is emptied instead.
    bool removeAthlete(qsizetype index);
    // Back to one empty row.
    void clear();
    // Replaces all rows; no rows give one empty row.
    void replace(QList<Athlete> athletes);

    // Whether the protocol has something to save: its first row has a start number.
    bool hasResults() const { return m_athletes.first().occupied(); }

    // The protocol grid's rows, header first: "Nr.", "Name", "Zeit", "Platz"
    // of every row, occupied or not.
    ProtocolRows rows() const;
    // The protocol of loaded rows (without header): each row's "Zeit"
    // becomes its loaded time.
    static Protocol fromRows(const QList<ProtocolRow> &dataRows);

    friend bool operator==(const Protocol &, const Protocol &) = default;

private:
    bool valid(qsizetype index) const { return index >= 0 && index < m_athletes.size(); }

    QList<Athlete> m_athletes;
};

} // namespace protocol
