#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QUrl>

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

// A Python script's output; none (with a warning) when it failed.
inline std::optional<QByteArray> runPythonScript(const QString &script,
                                                 const QStringList &arguments)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), QStringList{script} + arguments);
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning("%s", python.readAllStandardError().constData());
        return std::nullopt;
    }
    return python.readAllStandardOutput();
}

#ifdef TAVRIN_OFFICE_SCRIPT
// The script's output; none (with a warning) when it failed.
inline std::optional<QByteArray> runOfficeScript(const QStringList &arguments)
{
    return runPythonScript(QStringLiteral(TAVRIN_OFFICE_SCRIPT), arguments);
}
#endif

// Why LibreOffice cannot re-save files here; empty when it can.
inline QString libreOfficeMissing()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        return QStringLiteral("LibreOffice (soffice) is not installed.");
    return {};
}

// The file as LibreOffice saves it again in the same format, written into
// outDir under the same name; none (with a warning) when it failed. The
// profile goes into outDir too, so the user's own stays untouched.
inline std::optional<QString> resaveWithLibreOffice(const QString &fileName, const QString &outDir)
{
    const QFileInfo file(fileName);
    QProcess soffice;
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("--headless"),
                   QStringLiteral("-env:UserInstallation=") +
                       QUrl::fromLocalFile(outDir + QStringLiteral("/profile")).toString(),
                   QStringLiteral("--convert-to"), file.suffix(), QStringLiteral("--outdir"),
                   outDir, file.absoluteFilePath()});
    const QString saved = outDir + u'/' + file.fileName();
    if (!soffice.waitForFinished(100000) || soffice.exitCode() != 0 || !QFile::exists(saved)) {
        qWarning("soffice: %s", soffice.readAllStandardError().constData());
        return std::nullopt;
    }
    return saved;
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
