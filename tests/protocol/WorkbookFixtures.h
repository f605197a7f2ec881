#pragma once

#include "ProtocolHost.h"

#include "platform/office/OfficeError.h"
#include "protocol/OfficeExchange.h"

#include <QTemporaryDir>

#include <functional>

// A run whose intermediate times are a quarter, half and three quarters of
// the final time.
inline void evenRun(ProtocolHost &host, const QString &startNumber, qint32 finalTime)
{
    host.run(startNumber, finalTime, {finalTime / 4, finalTime / 2, finalTime * 3 / 4});
}

// Anna with five attempts (the second 12,00 is struck), Ben with four and a
// barrier without time, Cleo with one attempt over a minute.
inline void fillThreeAthletes(ProtocolHost &host)
{
    for (qint32 t : {10000, 11000, 12000, 12000, 9000})
        evenRun(host, QStringLiteral("7"), t);
    host.run(QStringLiteral("07"), 7500, {1050, 0, 3010});
    for (qint32 t : {7250, 8000, 6990})
        evenRun(host, QStringLiteral("07"), t);
    evenRun(host, QStringLiteral("12"), 62340);
    TSortGrid *grid = host.tables->SortGrid1;
    grid->setCells(1, 1, QStringLiteral("Anna Berg"));
    grid->setCells(1, 2, QStringLiteral("Ben"));
    grid->setCells(1, 3, QStringLiteral("Cleo"));
    grid->setCells(3, 2, QStringLiteral("2"));
}

// The three athletes exported to a workbook in dir.
inline QString exportThreeAthletes(ProtocolHost &host, const QTemporaryDir &dir)
{
    const QString fileName = dir.filePath(QStringLiteral("protokoll.xlsx"));
    fillThreeAthletes(host);
    ExportToExcel(*host.tables, fileName, QStringLiteral("Tavrin"));
    return fileName;
}

// The message an office operation failed with; empty when it did not fail.
inline QString failureOf(const std::function<void()> &step)
{
    try {
        step();
    } catch (const platform::office::OfficeError &error) {
        return error.message();
    }
    return {};
}
