#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// A file's whole contents; empty when it cannot be read.
inline QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a test's input file, failing the test when it cannot.
inline void writeAll(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}
