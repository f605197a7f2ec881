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

SummaryValues summarizeAttempts(const AttemptValueList &attempts)
{
    SummaryValues summary;
    for (const AttemptValues &attempt : attempts) {
        if (attempt.run)
            ++summary.runAttempts;
    }
    constexpr int finish = kSplitColumns - 1;
    if (summary.runAttempts == protocol::MaxAttempts) {
        // Of equal slowest final times the last one goes.
        int slowest = 0;
        for (int i = 1; i < protocol::MaxAttempts; ++i) {
            if (attempts[i].ms[finish] >= attempts[slowest].ms[finish])
                slowest = i;
        }
        summary.struckAttempt = slowest;
    }
    for (int col = 0; col < kSplitColumns; ++col) {
        qint64 sum = 0;
        qint64 count = 0;
        for (int i = 0; i < protocol::MaxAttempts; ++i) {
            if (i == summary.struckAttempt)
                continue;
            // "-", empty cells and unreadable texts read as 0 and do not count.
            const qint32 t = attempts[i].ms[col];
            if (t > 0) {
                sum += t;
                ++count;
            }
        }
        summary.means[col] = meanMilliseconds(sum, count);
    }
    return summary;
}

SplitSummary summarizeSplits(const SplitBlock &block)
{
    AttemptValueList values;
    for (int i = 0; i < protocol::MaxAttempts; ++i) {
        const SplitRow &attempt = block[kFirstAttemptRow - 1 + i];
        values[i].run = attemptFilled(attempt);
        for (int col = 0; col < kSplitColumns; ++col)
            values[i].ms[col] = ParseTime(attempt[col]);
    }
    const SummaryValues numbers = summarizeAttempts(values);
    SplitSummary summary;
    summary.filledAttempts = numbers.runAttempts;
    if (numbers.struckAttempt)
        summary.excludedRow = kFirstAttemptRow + *numbers.struckAttempt;
    for (int col = 0; col < kSplitColumns; ++col)
        summary.means[col] = FormatTime(numbers.means[col]);
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

SplitRow attemptTexts(qint32 finalTime, const CaptureSlots &captures)
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
