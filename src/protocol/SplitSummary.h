#pragma once

#include "protocol/ProtocolColumns.h"
#include "timing/CaptureSlots.h"

#include <QString>

#include <array>
#include <optional>

// One athlete's split table as text, as the split grid shows it below its
// header: index 0 is the mean row, indexes 1 to 5 are attempts 1 to 5. Each row
// holds the times at the first, second and third intermediate barrier and at
// the finish.
inline constexpr int kSplitColumns = protocol::SplitColumns;
inline constexpr int kSplitBlockRows = 1 + protocol::MaxAttempts;
using SplitRow = std::array<QString, kSplitColumns>;
using SplitBlock = std::array<SplitRow, kSplitBlockRows>;

// Split-grid row numbers: row 0 is the distance header, row 1 the means,
// rows 2 to 6 the attempts. Block index = grid row - 1.
inline constexpr int kMeanRow = 1;
inline constexpr int kFirstAttemptRow = 2;
inline constexpr int kLastAttemptRow = 6;
inline constexpr int kNoExcludedRow = -1;

struct SplitSummary
{
    int filledAttempts = 0;
    // Grid row (2 to 6) of the slowest of five attempts, left out of the means.
    int excludedRow = kNoExcludedRow;
    // Column means as time text; "0,00" for a column without any time.
    SplitRow means;
};

// An attempt counts as run when its cells, joined, hold more than blanks.
bool attemptFilled(const SplitRow &attempt);

SplitSummary summarizeSplits(const SplitBlock &block);

// What the summary reads of one attempt: whether it was run, and each
// column's time as its time text reads back (0: no time).
struct AttemptValues
{
    bool run = false;
    std::array<qint32, kSplitColumns> ms{};
};
using AttemptValueList = std::array<AttemptValues, protocol::MaxAttempts>;

struct SummaryValues
{
    int runAttempts = 0;
    // Index (0 to 4) of the slowest of five attempts, left out of the means.
    std::optional<int> struckAttempt;
    // Column means in milliseconds; 0 for a column without any time.
    std::array<qint32, kSplitColumns> means{};
};

// The summary rules: once all five attempts are run, the one with the
// largest final time (of equal ones the last) is struck out; each column's
// mean is over the times above 0 of the other attempts.
SummaryValues summarizeAttempts(const AttemptValueList &attempts);

// sum / count rounded to the millisecond, halves to the even neighbour; a
// count of 0 counts as 1.
qint32 meanMilliseconds(qint64 sum, qint64 count);

// Grid row (2 to 6) that receives the next attempt: the first one not run,
// or attempt 1 again when all five are.
int nextAttemptRow(const SplitBlock &block);

// The attempt row a finished run writes: each intermediate barrier's time and
// the final time as time text, "-" for a barrier that gave no time (0).
SplitRow attemptTexts(qint32 finalTime, const CaptureSlots &captures);

// A protocol row's "Zeit": the mean final time once the athlete has an
// attempt, else the time the row was loaded with, else "0,00".
QString protocolTime(const SplitSummary &summary, const QString &loadedTime);

// The split store keeps six rows per protocol data row: protocol row r (from 1)
// owns storage rows splitBlockFirstRow(r) to splitBlockFirstRow(r) + 5.
constexpr int splitBlockFirstRow(int protocolRow)
{
    return kSplitBlockRows * (protocolRow - 1);
}
constexpr int splitStoreRowCount(int protocolDataRows)
{
    return kSplitBlockRows * protocolDataRows;
}
