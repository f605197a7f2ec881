#pragma once

#include <QByteArray>
#include <QTest>

#include <clocale>

// Puts the C library's locale of the whole process to `name` for a scope, as
// the application object does from the environment at start. A locale the
// machine lacks fails the test: tools/install-deps.sh generates it.
class ProcessLocale
{
public:
    explicit ProcessLocale(const char *name)
        : m_old(std::setlocale(LC_ALL, nullptr))
        , m_ok(std::setlocale(LC_ALL, name) != nullptr)
    {
    }
    ~ProcessLocale() { std::setlocale(LC_ALL, m_old.constData()); }
    ProcessLocale(const ProcessLocale &) = delete;
    ProcessLocale &operator=(const ProcessLocale &) = delete;

    bool isSet() const { return m_ok; }

private:
    QByteArray m_old;
    bool m_ok;
};

// The two locales every written number is checked under: the C library's own
// and our users' German one, whose decimal separator is the comma.
inline void addProcessLocaleRows()
{
    QTest::addColumn<QByteArray>("processLocale");
    QTest::newRow("C.UTF-8") << QByteArray("C.UTF-8");
    QTest::newRow("de_DE.UTF-8") << QByteArray("de_DE.UTF-8");
}

#define SET_PROCESS_LOCALE()                                                                       \
    QFETCH(QByteArray, processLocale);                                                             \
    const ProcessLocale locale_(processLocale.constData());                                        \
    QVERIFY2(locale_.isSet(), processLocale + " fehlt auf diesem Rechner (tools/install-deps.sh)")
