#include "protocol/Protocol.h"

#include "protocol/SplitSummary.h"
#include "timing/TimeFormat.h"

namespace protocol {

namespace {

// A time as its time text reads back: hundredths, and nothing from an hour
// on, where the text has hours.
qint32 shownMilliseconds(const std::optional<qint32> &ms)
{
    return ms ? ParseTime(FormatTime(*ms)) : 0;
}

bool validAttempt(int attempt)
{
    return attempt >= 0 && attempt < MaxAttempts;
}

} // namespace

AthleteSummary summarize(const Athlete &athlete)
{
    AttemptValueList values;
    for (int i = 0; i < MaxAttempts; ++i) {
        const std::optional<AttemptTimes> &attempt = athlete.attempts[i];
        values[i].run = attempt.has_value();
        if (attempt) {
            for (int col = 0; col < SplitColumns; ++col)
                values[i].ms[col] = shownMilliseconds((*attempt)[col]);
        }
    }
    const SummaryValues numbers = summarizeAttempts(values);
    AthleteSummary summary;
    summary.attemptsRun = numbers.runAttempts;
    summary.struckAttempt = numbers.struckAttempt;
    summary.means = numbers.means;
    if (summary.attemptsRun > 0)
        summary.time = FormatTime(summary.means[SplitColumns - 1]);
    else
        summary.time = athlete.loadedTime.isEmpty() ? FormatTime(0) : athlete.loadedTime;
    return summary;
}

int nextAttempt(const Athlete &athlete)
{
    for (int i = 0; i < MaxAttempts; ++i) {
        if (!athlete.attempts[i])
            return i;
    }
    return 0;
}

::SplitBlock splitTexts(const Athlete &athlete)
{
    ::SplitBlock block;
    const AthleteSummary summary = summarize(athlete);
    for (int col = 0; col < SplitColumns; ++col)
        block[0][col] = FormatTime(summary.means[col]);
    for (int i = 0; i < MaxAttempts; ++i) {
        const std::optional<AttemptTimes> &attempt = athlete.attempts[i];
        if (!attempt)
            continue;
        for (int col = 0; col < SplitColumns; ++col) {
            const std::optional<qint32> &ms = (*attempt)[col];
            block[1 + i][col] = ms ? FormatTime(*ms) : QStringLiteral("-");
        }
    }
    return block;
}

Protocol::Protocol()
    : m_athletes(1)
{
}

qsizetype Protocol::indexOf(const QString &startNumber) const
{
    for (qsizetype i = 0; i < m_athletes.size(); ++i) {
        if (m_athletes[i].startNumber == startNumber)
            return i;
    }
    return -1;
}

qsizetype Protocol::openAthlete(const QString &startNumber)
{
    qsizetype index = indexOf(startNumber);
    if (index < 0) {
        if (m_athletes.last().occupied())
            m_athletes.append(Athlete{});
        index = m_athletes.size() - 1;
    }
    m_athletes[index].startNumber = startNumber;
    return index;
}

bool Protocol::setStartNumber(qsizetype index, const QString &startNumber)
{
    if (!valid(index))
        return false;
    m_athletes[index].startNumber = startNumber;
    return true;
}

bool Protocol::setName(qsizetype index, const QString &name)
{
    if (!valid(index))
        return false;
    m_athletes[index].name = name;
    return true;
}

bool Protocol::storeAttempt(qsizetype index, int attempt, const AttemptTimes &times)
{
    if (!valid(index) || !validAttempt(attempt))
        return false;
    m_athletes[index].attempts[attempt] = times;
    return true;
}

bool Protocol::removeAttempt(qsizetype index, int attempt)
{
    if (!valid(index) || !validAttempt(attempt))
        return false;
    m_athletes[index].attempts[attempt].reset();
    return true;
}

bool Protocol::removeAthlete(qsizetype index)
{
    if (!valid(index))
        return false;
    if (m_athletes.size() == 1)
        m_athletes[0] = Athlete{};
    else
        m_athletes.removeAt(index);
    return true;
}

void Protocol::clear()
{
    m_athletes = QList<Athlete>(1);
}

void Protocol::replace(QList<Athlete> athletes)
{
    m_athletes = std::move(athletes);
    if (m_athletes.isEmpty())
        m_athletes.append(Athlete{});
}

ProtocolRows Protocol::rows() const
{
    ProtocolRows rows;
    rows.reserve(m_athletes.size() + 1);
    rows.append(protocolHeader());
    for (const Athlete &athlete : m_athletes)
        rows.append({athlete.startNumber, athlete.name, summarize(athlete).time, athlete.place});
    return rows;
}

Protocol Protocol::fromRows(const QList<ProtocolRow> &dataRows)
{
    QList<Athlete> athletes;
    athletes.reserve(dataRows.size());
    for (const ProtocolRow &row : dataRows) {
        Athlete &athlete = athletes.emplace_back();
        athlete.startNumber = row[NrColumn];
        athlete.name = row[NameColumn];
        athlete.loadedTime = row[ZeitColumn];
        athlete.place = row[PlatzColumn];
    }
    Protocol protocol;
    protocol.replace(std::move(athletes));
    return protocol;
}

} // namespace protocol
