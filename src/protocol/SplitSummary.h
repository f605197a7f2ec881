#pragma once

#include <QString>

#include <array>

// One athlete's split table as text, as the split grid shows it below its
// header: index 0 is the mean row, indexes 1 to 5 are attempts 1 to 5. Each row
// holds the times at the first, second and third intermediate barrier and at
// the finish.
inline constexpr int kSplitColumns = 4;
inline constexpr int kSplitBlockRows = 6;
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

// sum / count rounded to the millisecond, halves to the even neighbour; a
// count of 0 counts as 1.
qint32 meanMilliseconds(qint64 sum, qint64 count);

// Grid row (2 to 6) that receives the next attempt: the first one not run,
// or attempt 1 again when all five are.
int nextAttemptRow(const SplitBlock &block);

// The attempt row a finished run writes: each intermediate barrier's time and
// the final time as time text, "-" for a barrier that gave no time (0).
SplitRow attemptTexts(qint32 finalTime, const std::array<qint64, 4> &captures);

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
