#include "settings/CfgChoices.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_CfgChoices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void portListFollowsTheProbe_data()
    {
        QTest::addColumn<quint32>("probed");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("none") << 0u << QStringList{u"Kein"_s};
        QTest::newRow("COM1 and COM3")
            << (0b101u | 3u << 16) << QStringList{u"Kein"_s, u"COM1"_s, u"COM3"_s};
        QTest::newRow("COM12 and COM16")
            << (1u << 11 | 1u << 15 | 16u << 16) << QStringList{u"Kein"_s, u"COM12"_s, u"COM16"_s};
        // Only up to the highest port the probe names.
        QTest::newRow("beyond the highest")
            << (0b11u | 1u << 16) << QStringList{u"Kein"_s, u"COM1"_s};
    }
    void portListFollowsTheProbe()
    {
        QFETCH(quint32, probed);
        QFETCH(QStringList, entries);
        QCOMPARE(portEntries(probed), entries);
    }

    void entriesNameTheirPort()
    {
        QCOMPARE(portOfEntry(u"COM3"_s), 3);
        QCOMPARE(portOfEntry(u"COM12"_s), 12);
        QCOMPARE(portOfEntry(u"Kein"_s), 0);
        QCOMPARE(portOfEntry(u"COM"_s), 0);
        QCOMPARE(portOfEntry(u"COMx"_s), 0);
        QCOMPARE(portOfEntry(QString()), 0);
    }

    void monitorEntryShowsNumberPlaceAndSize()
    {
        QCOMPARE(monitorEntry(1, QRect(1920, 0, 1280, 1024)), u"1=(1920,0)-(1280,1024)"_s);
        QCOMPARE(monitorEntry(0, QRect(-1024, -10, 1024, 768)), u"0=(-1024,-10)-(1024,768)"_s);
    }

    void lockoutIsRoundedToTheMillisecond_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<qint32>("interval");
        QTest::newRow("0.2") << 0.2 << 200;
        QTest::newRow("0 switches it off") << 0.0 << 0;
        QTest::newRow("600") << 600.0 << 600000;
        QTest::newRow("0.29 is not 289") << 0.29 << 290;
        QTest::newRow("0.0149") << 0.0149 << 15;
    }
    void lockoutIsRoundedToTheMillisecond()
    {
        QFETCH(double, seconds);
        QFETCH(qint32, interval);
        QCOMPARE(lockoutInterval(seconds), interval);
    }

    void onlyIntegersAreIntegers()
    {
        QCOMPARE(integerIn(u"30"_s), 30);
        QCOMPARE(integerIn(u"-4"_s), -4);
        QCOMPARE(integerIn(QString()), std::nullopt);
        QCOMPARE(integerIn(u"3,5"_s), std::nullopt);
        QCOMPARE(integerIn(u"12m"_s), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(tst_CfgChoices)
#include "tst_CfgChoices.moc"
