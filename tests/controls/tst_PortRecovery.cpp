#include "controls/Comms.h"
#include "controls/PortRecovery.h"

#include "FakeSerial.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>

#include <sys/ioctl.h>

using State = TPortRecovery::State;

namespace {

// Short, so a test waits for a few attempts, not for seconds.
constexpr int kRetryMs = 50;

// A port at COM5 with its keeper, and every state it went through.
struct Rig
{
    TComPort port;
    TPortRecovery recovery{port};
    QList<State> states;
    int dsrEvents = 0;

    Rig()
    {
        port.setPort(5);
        port.setEvents(eventSet({evCTS, evDSR, evRLSD}));
        recovery.setRetryInterval(kRetryMs);
        QObject::connect(&recovery, &TPortRecovery::stateChanged, &recovery,
                         [this](State state) { states << state; });
        QObject::connect(&port, &TComPort::dsr, &port, [this] { ++dsrEvents; });
    }
    bool retrying() const
    {
        return recovery.findChild<QTimer *>(QStringLiteral("PortRetry"))->isActive();
    }
};

} // namespace

class tst_PortRecovery : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_devDir;

    QString device(const char *name) const { return m_devDir.filePath(QLatin1String(name)); }
    void plugIn(const char *name)
    {
        fakeserial::attach(QFile::encodeName(device(name)).constData());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_devDir.isValid());
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(m_devDir.path()));
        QVERIFY(QDir(m_devDir.path()).mkpath(QStringLiteral("serial/by-id")));
    }

    void init()
    {
        fakeserial::attach(QFile::encodeName(device("ttyUSB0")).constData());
        fakeserial::detach(); // nothing plugged in
    }

    void aMissingPortIsLookedForUntilItComes()
    {
        Rig rig;
        rig.recovery.openChosen();
        QCOMPARE(rig.recovery.state(), State::Missing);
        QCOMPARE(rig.recovery.device(), device("ttyUSB0"));
        QVERIFY(rig.retrying());
        QTest::qWait(3 * kRetryMs);
        QVERIFY(!rig.port.connected());

        plugIn("ttyUSB0");
        QTRY_VERIFY(rig.port.connected());
        QCOMPARE(rig.states, (QList<State>{State::Missing, State::Connected}));
        QVERIFY(!rig.retrying());
    }

    // Pulled out while open and plugged in again, where the system gave it
    // another device: found by its stable name, and its edges count again.
    void aLostAdapterComesBackUnderAnotherName()
    {
        const QString link = m_devDir.filePath(QStringLiteral("serial/by-id/usb-Prolific-if00"));
        QVERIFY(QFile::link(QStringLiteral("../../ttyUSB0"), link));
        plugIn("ttyUSB0");
        Rig rig;
        rig.recovery.openChosen();
        QCOMPARE(rig.recovery.state(), State::Connected);
        QCOMPARE(rig.port.stableName(), QStringLiteral("usb-Prolific-if00"));

        fakeserial::unplug();
        QVERIFY(QFile::remove(link));
        QTRY_COMPARE(rig.recovery.state(), State::Lost);
        QVERIFY(!rig.port.connected());
        QVERIFY(!fakeserial::isOpen());
        QTest::qWait(3 * kRetryMs);
        QCOMPARE(rig.recovery.state(), State::Lost); // a missing device is still the lost one

        QVERIFY(QFile::link(QStringLiteral("../../ttyUSB1"), link));
        plugIn("ttyUSB1");
        QTRY_COMPARE(rig.recovery.state(), State::Connected);
        QCOMPARE(rig.recovery.device(), device("ttyUSB1"));
        QCOMPARE(rig.port.port(), 5);
        QCOMPARE(rig.states, (QList<State>{State::Connected, State::Lost, State::Connected}));
        QVERIFY(fakeserial::waitForWaiters(1, 2000));
        fakeserial::setLines(TIOCM_DSR);
        QTRY_COMPARE(rig.dsrEvents, 1);
        QVERIFY(QFile::remove(link));
    }

    // Refused, perhaps only until the system has set the permissions of a
    // device just plugged in: said, and tried again.
    void aRefusedPortIsSaidAndTriedAgain_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("EACCES") << EACCES;
        QTest::newRow("EPERM") << EPERM;
    }

    void aRefusedPortIsSaidAndTriedAgain()
    {
        QFETCH(int, error);
        plugIn("ttyUSB0");
        fakeserial::failOpen(error);
        Rig rig;
        rig.recovery.openChosen();
        QCOMPARE(rig.recovery.state(), State::AccessDenied);
        QCOMPARE(rig.recovery.device(), device("ttyUSB0"));
        QVERIFY(rig.retrying());
        fakeserial::failOpen(0);
        QTRY_COMPARE(rig.recovery.state(), State::Connected);
    }

    // Other failures (held by another program, a set-up the driver refuses)
    // are not looked into when opening; once the port is being looked for,
    // it is looked for on whatever the next attempt meets.
    void otherFailures()
    {
        plugIn("ttyUSB0");
        fakeserial::failOpen(EBUSY);
        {
            Rig rig;
            rig.recovery.openChosen();
            QCOMPARE(rig.recovery.state(), State::Idle);
            QVERIFY(!rig.retrying());
            QVERIFY(rig.states.isEmpty());
        }
        fakeserial::failOpen(0);
        fakeserial::failSetup(EINVAL);
        Rig rig;
        rig.recovery.openChosen();
        QCOMPARE(rig.recovery.state(), State::Idle);

        fakeserial::failSetup(0);
        rig.recovery.openChosen();
        QCOMPARE(rig.recovery.state(), State::Connected);
        fakeserial::unplug();
        QTRY_COMPARE(rig.recovery.state(), State::Lost);
        plugIn("ttyUSB0");
        fakeserial::failSetup(EINVAL);
        QTest::qWait(3 * kRetryMs);
        QCOMPARE(rig.recovery.state(), State::Lost);
        QVERIFY(rig.retrying());
        fakeserial::failSetup(0);
        QTRY_COMPARE(rig.recovery.state(), State::Connected);
    }

    void stopEndsTheSearch()
    {
        Rig rig;
        rig.recovery.openChosen();
        QCOMPARE(rig.recovery.state(), State::Missing);
        rig.recovery.stop();
        QCOMPARE(rig.recovery.state(), State::Idle);
        QVERIFY(!rig.retrying());
        plugIn("ttyUSB0");
        QTest::qWait(3 * kRetryMs);
        QVERIFY(!rig.port.connected());
    }
};

QTEST_GUILESS_MAIN(tst_PortRecovery)
#include "tst_PortRecovery.moc"
