#include "protocol/SplitSummary.h"

#include "timing/TimeFormat.h"

bool attemptFilled(const SplitRow &attempt)
{
    for (const QString &cell : attempt) {
        // Blanks and line breaks only: trimmed() drops exactly those.
        if (!cell.trimmed().isEmpty())
            return true;
    }
    return false;
}

qint32 meanMilliseconds(qint64 sum, qint64 count)
{
    if (count <= 0)
        count = 1;
    const qint64 quotient = sum / count;
    const qint64 twiceRest = 2 * (sum % count);
    const bool up = twiceRest > count || (twiceRest == count && quotient % 2 != 0);
    return qint32(quotient + (up ? 1 : 0));
}

SplitSummary summarizeSplits(const SplitBlock &block)
{
    SplitSummary summary;
    for (int row = kFirstAttemptRow; row <= kLastAttemptRow; ++row) {
        if (attemptFilled(block[row - 1]))
            ++summary.filledAttempts;
    }
    if (summary.filledAttempts == kLastAttemptRow - kFirstAttemptRow + 1) {
        // Of equal slowest final times the last one goes.
        qint32 slowest = ParseTime(block[kFirstAttemptRow - 1][3]);
        summary.excludedRow = kFirstAttemptRow;
        for (int row = kFirstAttemptRow + 1; row <= kLastAttemptRow; ++row) {
            const qint32 t = ParseTime(block[row - 1][3]);
            if (t >= slowest) {
                slowest = t;
                summary.excludedRow = row;
            }
        }
    }
    for (int col = 0; col < kSplitColumns; ++col) {
        qint64 sum = 0;
        qint64 count = 0;
        for (int row = kFirstAttemptRow; row <= kLastAttemptRow; ++row) {
            if (row == summary.excludedRow)
                continue;
            // "-", empty cells and unreadable texts read as 0 and do not count.
            const qint32 t = ParseTime(block[row - 1][col]);
            if (t > 0) {
                sum += t;
                ++count;
            }
        }
        summary.means[col] = FormatTime(meanMilliseconds(sum, count));
    }
    return summary;
}

int nextAttemptRow(const SplitBlock &block)
{
    for (int row = kFirstAttemptRow; row <= kLastAttemptRow; ++row) {
        if (!attemptFilled(block[row - 1]))
            return row;
    }
    return kFirstAttemptRow;
}

SplitRow attemptTexts(qint32 finalTime, const std::array<qint64, 4> &captures)
{
    const auto text = [](qint64 ms) {
        return ms == 0 ? QStringLiteral("-") : FormatTime(qint32(ms));
    };
    return {text(captures[0]), text(captures[1]), text(captures[2]), text(finalTime)};
}

QString protocolTime(const SplitSummary &summary, const QString &loadedTime)
{
    if (summary.filledAttempts > 0)
        return summary.means[3];
    return loadedTime.isEmpty() ? FormatTime(0) : loadedTime;
}
