#pragma once

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>

// Debian's python3-openpyxl and python3-docx, reading and writing office files
// independently of ours through tests/platform/data/office_files.py.

// Why the readers cannot run here; empty when they can.
inline QString independentReadersMissing()
{
    // Debian's modules are seen by the system interpreter, not by one that
    // may come first in PATH.
    if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
        return QStringLiteral("/usr/bin/python3 is missing (install python3-openpyxl and "
                              "python3-docx).");
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"),
                {QStringLiteral("-c"), QStringLiteral("import openpyxl, docx")});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
        return QStringLiteral("python3-openpyxl or python3-docx is missing: run "
                              "tools/install-deps.sh.");
    return {};
}

// The script's output; none (with a warning) when it failed.
inline std::optional<QByteArray> runOfficeScript(const QStringList &arguments)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral(TAVRIN_OFFICE_SCRIPT)} + arguments);
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning("%s", python.readAllStandardError().constData());
        return std::nullopt;
    }
    return python.readAllStandardOutput();
}

// The names of the sheets the script read, in order.
inline QStringList readSheetNames(const QJsonArray &sheets)
{
    QStringList names;
    for (const QJsonValue &sheet : sheets)
        names.append(sheet.toObject().value(QStringLiteral("name")).toString());
    return names;
}

// What the script read of one cell of a sheet: value, bold, strike, format,
// border; nothing for an empty cell.
inline QJsonObject readCell(const QJsonObject &sheet, const char *coordinate)
{
    return sheet.value(QStringLiteral("cells"))
        .toObject()
        .value(QLatin1StringView(coordinate))
        .toObject();
}
