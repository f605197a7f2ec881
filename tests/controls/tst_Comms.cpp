#include "controls/Comms.h"
#include "platform/Tick.h"

#include "FakeSerial.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <system_error>
#include <thread>

#include <asm/termbits.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

QString systemText(int error)
{
    return QString::fromStdString(std::system_category().message(error));
}

// The message of the exception Open() raised; empty when it raised none of that type.
template <typename Exception> QString openFailure(TComPort &port)
{
    try {
        port.Open();
    } catch (const Exception &e) {
        return e.message();
    }
    return {};
}

// Every signal of a port, in the order they came, with the event tick and
// the line status each saw.
class Recorder : public QObject
{
public:
    explicit Recorder(TComPort &port)
    {
        const auto record = [this, &port](const char *name) {
            return [this, &port, name] {
                log << QLatin1String(name);
                ticks << port.eventTick();
                status << port.ModemStatus();
            };
        };
        QObject::connect(&port, &TComPort::rxChar, this,
                         [this](int) { log << QStringLiteral("rxChar"); });
        QObject::connect(&port, &TComPort::txEmpty, this, record("txEmpty"));
        QObject::connect(&port, &TComPort::breakDetected, this, record("breakDetected"));
        QObject::connect(&port, &TComPort::ring, this, record("ring"));
        QObject::connect(&port, &TComPort::cts, this, record("cts"));
        QObject::connect(&port, &TComPort::dsr, this, record("dsr"));
        QObject::connect(&port, &TComPort::rxFlag, this, record("rxFlag"));
        QObject::connect(&port, &TComPort::rlsd, this, record("rlsd"));
        QObject::connect(&port, &TComPort::error, this, record("error"));
        QObject::connect(&port, &TComPort::opened, this, record("opened"));
        QObject::connect(&port, &TComPort::closed, this, record("closed"));
        QObject::connect(&port, &TComPort::failed, this, record("failed"));
    }

    QStringList log;
    QList<quint32> ticks;
    QList<quint32> status;
};

std::atomic<quint32> g_tick{0};
quint32 testTick()
{
    return g_tick.load();
}

constexpr int lineSettleMs = 60; // ample for a wake-up that takes microseconds

} // namespace

Q_DECLARE_METATYPE(EComError::Kind)

class TestComms : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_devDir;
    QString m_com1; // the fake device, seen as COM1

    // An open port on the fake device whose worker sits in its wait.
    void openWatching(TComPort &port)
    {
        port.setPort(1);
        port.Open();
        QVERIFY(fakeserial::waitForWaiters(1, 2000));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_devDir.isValid());
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(m_devDir.path()));
        m_com1 = m_devDir.filePath(QStringLiteral("ttyS0"));
        fakeserial::attach(QFile::encodeName(m_com1).constData());
        // Without the preloaded fake nothing below would mean anything.
        const int fd = ::open(QFile::encodeName(m_com1).constData(), O_RDWR | O_NOCTTY);
        QVERIFY2(fd >= 0 && fakeserial::isOpen(), "the fake serial device is not preloaded");
        ::close(fd);
        QVERIFY(!fakeserial::isOpen());
    }

    void init()
    {
        fakeserial::attach(QFile::encodeName(m_com1).constData());
        platform::setTickSource(nullptr);
    }

    void defaultsAndDataBitsClamping()
    {
        TComPort port;
        QCOMPARE(port.baudRate(), br9600);
        QCOMPARE(port.baudRateUser(), 9600);
        QCOMPARE(port.port(), 1);
        QCOMPARE(port.parity(), prNone);
        QCOMPARE(port.stopBits(), sbOneStopBit);
        QCOMPARE(port.flowControl(), fcNone);
        QCOMPARE(port.dataBits(), 8);
        QCOMPARE(port.events(), TEvents(0x01FF));
        QVERIFY(port.enableDTR());
        QCOMPARE(port.writeBufSize(), 2048);
        QCOMPARE(port.readBufSize(), 2048);
        QVERIFY(!port.connected());
        QCOMPARE(port.ModemStatus(), 0u);

        port.setDataBits(9);
        QCOMPARE(port.dataBits(), 8);
        port.setDataBits(4);
        QCOMPARE(port.dataBits(), 5);
        port.setDataBits(0);
        QCOMPARE(port.dataBits(), 5);
        port.setDataBits(7);
        QCOMPARE(port.dataBits(), 7);
        QVERIFY(port.setProperty("dataBits", 200));
        QCOMPARE(port.property("dataBits").toInt(), 8);

        QCOMPARE(eventSet({evCTS, evDSR, evRLSD}), TEvents((1 << 5) | (1 << 6) | (1 << 8)));
    }

    void deviceTable_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("device");
        QTest::newRow("COM1") << 1 << QStringLiteral("ttyS0");
        QTest::newRow("COM4") << 4 << QStringLiteral("ttyS3");
        QTest::newRow("COM5") << 5 << QStringLiteral("ttyUSB0");
        QTest::newRow("COM12") << 12 << QStringLiteral("ttyUSB7");
        QTest::newRow("COM13") << 13 << QStringLiteral("ttyACM0");
        QTest::newRow("COM16") << 16 << QStringLiteral("ttyACM3");
        QTest::newRow("no port") << 0 << QString();
        QTest::newRow("COM17") << 17 << QString();
    }

    void deviceTable()
    {
        QFETCH(int, port);
        QFETCH(QString, device);
        const QString expected = device.isEmpty() ? QString() : m_devDir.path() + u'/' + device;
        QCOMPARE(platform::serial::deviceName(port), expected);
    }

    void deviceTableDefaultsToDev()
    {
        const QByteArray saved = qgetenv("TAVRIN_DEV_DIR");
        qunsetenv("TAVRIN_DEV_DIR");
        const QString name = platform::serial::deviceName(6);
        qputenv("TAVRIN_DEV_DIR", saved);
        QCOMPARE(name, QStringLiteral("/dev/ttyUSB1"));
    }

    void openConfiguresTheDevice_data()
    {
        QTest::addColumn<int>("baudRate");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<int>("flowControl");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<bool>("enableDtr");
        QTest::addColumn<bool>("enableRts");
        QTest::addColumn<quint16>("events");
        QTest::addColumn<uint>("speed");
        QTest::addColumn<uint>("cflag");
        QTest::addColumn<uint>("iflag");
        QTest::addColumn<int>("outputs");

        const quint16 lines = eventSet({evCTS, evDSR, evRLSD});
        // As the main window keeps it: RTS and DTR both feed barrier loops and
        // stay on whatever arrives, which is thrown away (no CREAD).
        QTest::newRow("main window")
            << int(br9600) << int(prNone) << int(sbOneStopBit) << int(fcNone) << 5 << true << true
            << lines << 9600u << uint(CS5) << 0u << (TIOCM_DTR | TIOCM_RTS);
        QTest::newRow("RTS handshake")
            << int(br9600) << int(prNone) << int(sbOneStopBit) << int(fcRtsCts) << 5 << true
            << false << allEvents << 9600u << uint(CS5 | CRTSCTS | CREAD) << 0u
            << (TIOCM_DTR | TIOCM_RTS);
        QTest::newRow("user rate, even, two stops")
            << int(brUser) << int(prEven) << int(sbTwoStopBits) << int(fcNone) << 8 << true << false
            << allEvents << 28800u << uint(CS8 | PARENB | CSTOPB | CREAD) << 0u << TIOCM_DTR;
        QTest::newRow("odd, no DTR")
            << int(br115200) << int(prOdd) << int(sbOneStopBit) << int(fcNone) << 7 << false
            << false << allEvents << 115200u << uint(CS7 | PARENB | PARODD | CREAD) << 0u << 0;
        QTest::newRow("mark, lines only")
            << int(br256000) << int(prMark) << int(sbOneStopBit) << int(fcNone) << 6 << true
            << false << lines << 256000u << uint(CS6 | PARENB | CMSPAR | PARODD) << 0u << TIOCM_DTR;
        QTest::newRow("space, xon/xoff, RTS")
            << int(br110) << int(prSpace) << int(sbOne5StopBits) << int(fcXonXoff) << 5 << true
            << true << allEvents << 110u << uint(CS5 | PARENB | CMSPAR | CSTOPB | CREAD)
            << uint(IXON | IXOFF) << (TIOCM_DTR | TIOCM_RTS);
    }

    void openConfiguresTheDevice()
    {
        QFETCH(int, baudRate);
        QFETCH(int, parity);
        QFETCH(int, stopBits);
        QFETCH(int, flowControl);
        QFETCH(int, dataBits);
        QFETCH(bool, enableDtr);
        QFETCH(bool, enableRts);
        QFETCH(quint16, events);
        QFETCH(uint, speed);
        QFETCH(uint, cflag);
        QFETCH(uint, iflag);
        QFETCH(int, outputs);

        TComPort port;
        port.setBaudRate(TBaudRate(baudRate));
        port.setBaudRateUser(28800);
        port.setParity(TParity(parity));
        port.setStopBits(TStopBits(stopBits));
        port.setFlowControl(TFlowControl(flowControl));
        port.setDataBits(quint8(dataBits));
        port.setEnableDTR(enableDtr);
        port.setEnableRTS(enableRts);
        port.setEvents(events);
        port.Open();

        const fakeserial::Termios tio = fakeserial::lastSetup();
        QCOMPARE(tio.ospeed, speed);
        QCOMPARE(tio.ispeed, speed);
        constexpr uint checked = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CREAD;
        QCOMPARE(tio.cflag & checked, cflag);
        QVERIFY(tio.cflag & CLOCAL); // a DCD barrier must not hang the line up
        QCOMPARE(tio.iflag, iflag);
        QCOMPARE(tio.lflag, 0u);
        QCOMPARE(fakeserial::lines() & (TIOCM_DTR | TIOCM_RTS), outputs);
        QVERIFY(tio.lowLatency);
    }

    void openAndCloseRaiseTheirSignals()
    {
        {
            TComPort port;
            Recorder recorder(port);
            port.Close();
            QVERIFY(recorder.log.isEmpty());

            port.Open();
            QVERIFY(port.connected());
            QVERIFY(fakeserial::isOpen());
            QCOMPARE(recorder.log, QStringList{QStringLiteral("opened")});

            port.Open();
            QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("closed"),
                                                QStringLiteral("opened")}));
            QVERIFY(port.connected());

            port.Close();
            port.Close();
            QCOMPARE(recorder.log.size(), 4);
            QCOMPARE(recorder.log.last(), QStringLiteral("closed"));
            QVERIFY(!port.connected());
            QVERIFY(!fakeserial::isOpen());

            port.Open();
        }
        QVERIFY(!fakeserial::isOpen()); // the destructor closes
    }

    void modemStatusReadsTheLines()
    {
        TComPort port;
        fakeserial::setLines(TIOCM_CTS | TIOCM_CD | TIOCM_RNG);
        QCOMPARE(port.ModemStatus(), 0u); // closed: a constant
        port.Open();
        QCOMPARE(port.ModemStatus(), 0x10u | 0x80u | 0x40u);
        fakeserial::setLines(TIOCM_DSR);
        QCOMPARE(port.ModemStatus(), 0x20u);
        QCOMPARE(port.InputQueueCount(), 0);
    }

    void lineAlreadyOnAtOpenRaisesNothing()
    {
        fakeserial::setLines(TIOCM_DSR | TIOCM_CTS);
        TComPort port;
        Recorder recorder(port);
        openWatching(port);
        QTest::qWait(lineSettleMs);
        QCOMPARE(recorder.log, QStringList{QStringLiteral("opened")});

        fakeserial::setLines(TIOCM_CTS); // DSR goes off: its first event
        QTRY_COMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("dsr")}));
        QCOMPARE(recorder.status.last(), 0x10u);
    }

    void linesChangingTogetherComeInFixedOrder()
    {
        TComPort port;
        port.setEvents(eventSet({evCTS, evDSR, evRLSD}));
        Recorder recorder(port);
        openWatching(port);

        fakeserial::setLines(TIOCM_CD | TIOCM_DSR | TIOCM_CTS);
        QTRY_COMPARE(recorder.log.size(), 4);
        QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("cts"),
                                            QStringLiteral("dsr"), QStringLiteral("rlsd")}));
        QCOMPARE(recorder.status.last(), 0x10u | 0x20u | 0x80u);

        // The ring line is not among the watched events.
        fakeserial::setLines(TIOCM_CD | TIOCM_DSR | TIOCM_CTS | TIOCM_RNG);
        QTest::qWait(lineSettleMs);
        QCOMPARE(recorder.log.size(), 4);
    }

    void unwatchedLinesRaiseNothing()
    {
        TComPort port;
        port.setEvents(eventSet({evDSR}));
        Recorder recorder(port);
        openWatching(port);
        fakeserial::setLines(TIOCM_CTS | TIOCM_CD);
        QTest::qWait(lineSettleMs);
        fakeserial::setLines(TIOCM_CTS | TIOCM_CD | TIOCM_DSR);
        QTRY_COMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("dsr")}));
    }

    // Between two looks of the worker, DSR goes on and off again and DCD goes
    // on. The driver's change counters still show the DSR pulse, and it is
    // reported as it happened: on, then off, both at the wake-up's instant;
    // DCD, which changed once, only once. Bare line levels cannot show the
    // pulse.
    void doubleToggleDuringDispatch_data()
    {
        QTest::addColumn<bool>("counters");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QList<quint32>>("expectedStatus");
        constexpr quint32 cts = 0x10, dsr = 0x20, dcd = 0x80;
        QTest::newRow("counters") << true
                                  << QStringList{QStringLiteral("opened"), QStringLiteral("cts"),
                                                 QStringLiteral("dsr"), QStringLiteral("rlsd"),
                                                 QStringLiteral("dsr")}
                                  << QList<quint32>{0, cts, cts | dsr | dcd, cts | dsr | dcd,
                                                    cts | dcd};
        QTest::newRow("levels only")
            << false
            << QStringList{QStringLiteral("opened"), QStringLiteral("cts"), QStringLiteral("rlsd")}
            << QList<quint32>{0, cts, cts | dcd};
    }

    void doubleToggleDuringDispatch()
    {
        QFETCH(bool, counters);
        QFETCH(QStringList, expected);
        QFETCH(QList<quint32>, expectedStatus);
        fakeserial::setCountersSupported(counters);
        TComPort port;
        Recorder recorder(port);
        openWatching(port);

        fakeserial::setLines(TIOCM_CTS);
        QVERIFY(fakeserial::waitForWakeUp(1, 2000));
        fakeserial::setLines(TIOCM_CTS | TIOCM_CD, TIOCM_DSR);
        QTRY_VERIFY(recorder.log.size() >= expected.size());
        QTest::qWait(lineSettleMs);
        QCOMPARE(recorder.log, expected);
        QCOMPARE(recorder.status, expectedStatus);
        if (counters)
            QCOMPARE(recorder.ticks.at(4), recorder.ticks.at(2)); // one wake-up
    }

    // The main thread is busy for longer than a pulse lasts: DSR goes on, the
    // worker wakes, and DSR is off again before the main thread dispatches.
    // Handlers still read the line as it was at the edge.
    void pulseWhileTheMainThreadIsBusy()
    {
        TComPort port;
        Recorder recorder(port);
        openWatching(port);

        fakeserial::setLines(TIOCM_DSR);
        QVERIFY(fakeserial::waitForWakeUp(1, 2000)); // no event loop: the dispatch waits
        fakeserial::setLines(0);
        QTRY_COMPARE(recorder.log.size(), 3);
        QTest::qWait(lineSettleMs);
        QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("dsr"),
                                            QStringLiteral("dsr")}));
        QCOMPARE(recorder.status, (QList<quint32>{0, 0x20, 0}));
        // Outside a dispatch the line reads as it is now; closed, as nothing.
        fakeserial::setLines(TIOCM_CTS);
        QTRY_COMPARE(port.ModemStatus(), 0x10u);
        port.Close();
        QCOMPARE(port.ModemStatus(), 0u);
    }

    // A change that slips in just before the kernel starts waiting does not
    // end that wait; it must still be reported, if a little late.
    void changeJustBeforeTheKernelWaits()
    {
        TComPort port;
        Recorder recorder(port);
        openWatching(port);
        fakeserial::changeLinesInsideNextWait(TIOCM_CTS | TIOCM_DSR);
        fakeserial::setLines(TIOCM_CTS);
        QTRY_COMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("cts"),
                                                QStringLiteral("dsr")}));
    }

    void pollingWhenTheDriverCannotWait()
    {
        fakeserial::setWaitSupported(false);
        TComPort port;
        Recorder recorder(port);
        port.Open();
        fakeserial::setLines(TIOCM_DSR);
        QTRY_COMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("dsr")}));
        fakeserial::setLines(0);
        QTRY_COMPARE(recorder.log.size(), 3);

        QElapsedTimer timer;
        timer.start();
        port.Close();
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!fakeserial::isOpen());
    }

    // The tick belongs to the moment the wait returned, not to when the main
    // thread got round to the dispatch.
    void eventTickIsTheInstantOfTheWake()
    {
        platform::setTickSource(&testTick);
        g_tick = 1000;
        TComPort port;
        Recorder recorder(port);
        openWatching(port);

        fakeserial::setLines(TIOCM_DSR);
        // Main thread busy; the worker has stamped the edge.
        QVERIFY(fakeserial::waitForWakeUp(1, 2000));
        g_tick = 5000;
        QTRY_COMPARE(recorder.log.size(), 2);
        QCOMPARE(recorder.ticks.last(), 1000u);
        QCOMPARE(port.eventTick(), 5000u); // outside a dispatch: now
    }

    void closeServesAPendingDispatch()
    {
        TComPort port;
        Recorder recorder(port);
        openWatching(port);

        fakeserial::setLines(TIOCM_CTS);
        QVERIFY(fakeserial::waitForWakeUp(1, 2000)); // handed over, not yet dispatched
        QElapsedTimer timer;
        timer.start();
        port.Close();
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("cts"),
                                            QStringLiteral("closed")}));
        QTest::qWait(lineSettleMs);
        QCOMPARE(recorder.log.size(), 3);
    }

    void closeEndsABlockedWaitPromptly()
    {
        TComPort port;
        for (int round = 0; round < 20; ++round) {
            openWatching(port);
            QElapsedTimer timer;
            timer.start();
            port.Close();
            QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
            QVERIFY(!fakeserial::isOpen());
        }
    }

    // Not meant to happen, but it must not lock up either: the port closes
    // and reports nothing further from that wait.
    void closeFromAHandler()
    {
        TComPort port;
        Recorder recorder(port);
        connect(&port, &TComPort::dsr, &port, [&port] { port.Close(); });
        openWatching(port);
        fakeserial::setLines(TIOCM_CTS | TIOCM_DSR | TIOCM_CD);
        QTRY_COMPARE(recorder.log.size(), 4);
        QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("cts"),
                                            QStringLiteral("dsr"), QStringLiteral("closed")}));
        QVERIFY(!fakeserial::isOpen());
        QTest::qWait(lineSettleMs);
        QCOMPARE(recorder.log.size(), 4);
    }

    void openFailuresSayWhy_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<EComError::Kind>("kind");
        QTest::newRow("EACCES") << EACCES << EComError::Kind::AccessDenied;
        QTest::newRow("EPERM") << EPERM << EComError::Kind::AccessDenied;
        QTest::newRow("ENOENT") << ENOENT << EComError::Kind::Missing;
        QTest::newRow("ENODEV") << ENODEV << EComError::Kind::Missing;
        QTest::newRow("ENXIO") << ENXIO << EComError::Kind::Missing;
        QTest::newRow("EBUSY") << EBUSY << EComError::Kind::Other;
        QTest::newRow("EIO: gone while open") << EIO << EComError::Kind::Missing;
        QTest::newRow("EINVAL") << EINVAL << EComError::Kind::Other;
    }

    void openFailuresSayWhy()
    {
        QFETCH(int, error);
        QFETCH(EComError::Kind, kind);
        fakeserial::failOpen(error);
        TComPort port;
        try {
            port.Open();
            QFAIL("opened");
        } catch (const EComHandle &e) {
            QCOMPARE(e.kind(), kind);
            QCOMPARE(e.message(), QStringLiteral("Unable to open com port: ") + systemText(error));
        }
        fakeserial::failOpen(0);
        fakeserial::failSetup(error);
        try {
            port.Open();
            QFAIL("opened");
        } catch (const EComState &e) {
            QCOMPARE(e.kind(), kind);
        }
    }

    void openFailureLeavesThePortClosed()
    {
        TComPort port;
        Recorder recorder(port);
        fakeserial::failOpen(EACCES);
        QCOMPARE(openFailure<EComHandle>(port),
                 QStringLiteral("Unable to open com port: ") + systemText(EACCES));
        QVERIFY(!port.connected());
        QVERIFY(recorder.log.isEmpty());

        port.setPort(0);
        QCOMPARE(openFailure<EComHandle>(port),
                 QStringLiteral("Unable to open com port: ") + systemText(ENOENT));
        port.setPort(2); // nothing at ttyS1
        QCOMPARE(openFailure<EComHandle>(port),
                 QStringLiteral("Unable to open com port: ") + systemText(ENOENT));
        QVERIFY(recorder.log.isEmpty());
    }

    void deviceHeldElsewhereCannotBeOpened()
    {
        fakeserial::failOpen(0);
        const int other = ::open(QFile::encodeName(m_com1).constData(), O_RDWR | O_NOCTTY);
        QVERIFY(other >= 0);
        TComPort port;
        QCOMPARE(openFailure<EComHandle>(port),
                 QStringLiteral("Unable to open com port: ") + systemText(EBUSY));
        ::close(other);
        QVERIFY(!port.connected());
    }

    void setUpFailureClosesTheDevice()
    {
        TComPort port;
        Recorder recorder(port);
        fakeserial::failSetup(EINVAL);
        QCOMPARE(openFailure<EComState>(port),
                 QStringLiteral("Unable to set com state: ") + systemText(EINVAL));
        QVERIFY(!port.connected());
        QVERIFY(!fakeserial::isOpen());
        port.Close();
        QVERIFY(recorder.log.isEmpty());

        fakeserial::failSetup(0);
        port.setBaudRate(brUser);
        port.setBaudRateUser(0);
        QCOMPARE(openFailure<EComState>(port),
                 QStringLiteral("Unable to set com state: ") + systemText(EINVAL));
        QVERIFY(!fakeserial::isOpen());

        port.setBaudRateUser(28800);
        port.Open();
        QVERIFY(port.connected());
    }

    // A device that fails while open is closed from the main thread and said
    // to have failed; the worker does not just end while the port looks open.
    void deviceFailureIsReported_data()
    {
        QTest::addColumn<int>("waitError"); // 0: the device is pulled out instead
        QTest::addColumn<bool>("modemWait");
        QTest::addColumn<bool>("counters");
        QTest::newRow("wait fails with EIO") << EIO << true << true;
        QTest::newRow("wait fails with ENXIO") << ENXIO << true << true;
        QTest::newRow("pulled out while waiting") << 0 << true << true;
        QTest::newRow("pulled out, driver without counters") << 0 << true << false;
        QTest::newRow("pulled out, polled driver") << 0 << false << false;
    }

    void deviceFailureIsReported()
    {
        QFETCH(int, waitError);
        QFETCH(bool, modemWait);
        QFETCH(bool, counters);
        fakeserial::setWaitSupported(modemWait);
        fakeserial::setCountersSupported(counters);
        TComPort port;
        Recorder recorder(port);
        port.Open();
        if (modemWait)
            QVERIFY(fakeserial::waitForWaiters(1, 2000));
        if (waitError != 0)
            fakeserial::failWait(waitError);
        else
            fakeserial::unplug();
        QTRY_COMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("closed"),
                                                QStringLiteral("failed")}));
        QVERIFY(!port.connected());
        QVERIFY(!fakeserial::isOpen());
        QCOMPARE(port.ModemStatus(), 0u);
        port.Close(); // closed already: nothing more
        QCOMPARE(recorder.log.size(), 3);
    }

    // Edges before the failure are handled before it, in order, even when the
    // main thread gets to them only after the device is gone.
    void eventsBeforeAFailureComeFirst()
    {
        TComPort port;
        Recorder recorder(port);
        openWatching(port);
        fakeserial::setLines(TIOCM_DSR);
        // No event loop: all of it waits in the queue.
        QVERIFY(fakeserial::waitForWakeUp(1, 2000));
        fakeserial::unplug();
        QThread::msleep(lineSettleMs);
        QTRY_COMPARE(recorder.log.size(), 4);
        QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("dsr"),
                                            QStringLiteral("closed"), QStringLiteral("failed")}));
        QCOMPARE(recorder.status.at(1), 0x20u);
    }

    // The device goes away at each request in turn: while opening, during the
    // set-up, in the wait, or later. Each time the port either refuses to open
    // or reports the failure; it neither crashes, hangs nor leaks the device.
    void deviceVanishingAtAnyStep()
    {
        const QByteArray path = QFile::encodeName(m_com1);
        int refused = 0;
        int failed = 0;
        for (int request = 1; request <= 40; ++request) {
            fakeserial::attach(path.constData());
            fakeserial::unplugAtIoctl(request);
            TComPort port;
            Recorder recorder(port);
            try {
                port.Open();
            } catch (const EComError &) {
                QVERIFY(recorder.log.isEmpty());
                QVERIFY(!port.connected());
                QVERIFY2(!fakeserial::isOpen(), qPrintable(QString::number(request)));
                ++refused;
                continue;
            }
            // The worker's looks at the lines reach the failing request soon.
            QTRY_VERIFY2(recorder.log.contains(QStringLiteral("failed")),
                         qPrintable(QString::number(request)));
            QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("closed"),
                                                QStringLiteral("failed")}));
            QVERIFY(!fakeserial::isOpen());
            ++failed;
        }
        QVERIFY(refused > 0 && failed > 0);
    }

    // The device goes away as the port is being closed: closed once, and no
    // failure reported for a port that is already closing.
    void deviceVanishingWhileClosing_data()
    {
        QTest::addColumn<int>("request");
        for (int request = 1; request <= 4; ++request)
            QTest::addRow("request %d", request) << request;
    }

    void deviceVanishingWhileClosing()
    {
        QFETCH(int, request);
        TComPort port;
        Recorder recorder(port);
        openWatching(port);
        fakeserial::unplugAtIoctl(request);
        port.Close();
        QTest::qWait(lineSettleMs);
        QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("closed")}));
        QVERIFY(!fakeserial::isOpen());
    }

    // Opening and closing while another thread pulls the device out at an
    // unknown moment: every opening is matched by one closing, and at the end
    // nothing is held.
    void openAndCloseRacingAFailure()
    {
        const QByteArray path = QFile::encodeName(m_com1);
        for (int round = 0; round < 30; ++round) {
            fakeserial::attach(path.constData());
            TComPort port;
            Recorder recorder(port);
            std::thread puller([round] {
                std::this_thread::sleep_for(std::chrono::microseconds(round * 97 % 1500));
                fakeserial::unplug();
            });
            for (int i = 0; i < 3; ++i) {
                try {
                    port.Open();
                } catch (const EComError &) {
                    break; // gone already
                }
                QCoreApplication::processEvents();
            }
            puller.join();
            QCoreApplication::processEvents();
            port.Close();
            QCOMPARE(recorder.log.count(QStringLiteral("opened")),
                     recorder.log.count(QStringLiteral("closed")));
            QVERIFY(recorder.log.count(QStringLiteral("failed")) <= 1);
            QVERIFY(!fakeserial::isOpen());
        }
    }

    // The worker never waits for the main thread: while that is busy, each
    // edge is stamped at its own wake-up, not when the one before it has been
    // handled.
    void edgesWhileTheMainThreadIsBusyKeepTheirInstants()
    {
        platform::setTickSource(&testTick);
        TComPort port;
        Recorder recorder(port);
        openWatching(port);
        const std::pair<int, quint32> edges[] = {
            {TIOCM_DSR, 1000}, {0, 2000}, {TIOCM_CD, 3000}, {0, 4000}};
        int wakeUps = 0;
        for (const auto &[lines, tick] : edges) {
            g_tick = tick;
            fakeserial::setLines(lines);
            // No event loop all along.
            QVERIFY(fakeserial::waitForWakeUp(++wakeUps, 2000));
        }
        g_tick = 9000;
        QTRY_COMPARE(recorder.log.size(), 5);
        QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("dsr"),
                                            QStringLiteral("dsr"), QStringLiteral("rlsd"),
                                            QStringLiteral("rlsd")}));
        QCOMPARE(recorder.ticks.mid(1), (QList<quint32>{1000, 2000, 3000, 4000}));
        QCOMPARE(recorder.status.mid(1), (QList<quint32>{0x20, 0, 0x80, 0}));
    }

    // Some USB adapters count edges milliseconds after their lines show them.
    // A passage through a barrier still reads as on, then off, exactly once,
    // whether it is longer or shorter than the lag.
    void lateEdgeCounters_data()
    {
        QTest::addColumn<int>("lagMs");
        QTest::addColumn<int>("pulseMs");
        QTest::newRow("no lag, 5 ms") << 0 << 5;
        QTest::newRow("16 ms lag, 8 ms passage") << 16 << 8;
        QTest::newRow("16 ms lag, 30 ms passage") << 16 << 30;
        QTest::newRow("5 ms lag, 2 ms passage") << 5 << 2;
    }

    void lateEdgeCounters()
    {
        QFETCH(int, lagMs);
        QFETCH(int, pulseMs);
        fakeserial::lagCounters(lagMs);
        TComPort port;
        Recorder recorder(port);
        openWatching(port);
        fakeserial::setLines(TIOCM_DSR);
        QThread::msleep(pulseMs);
        fakeserial::setLines(0);
        QTRY_COMPARE(recorder.log.size(), 3);
        QTest::qWait(lagMs + lineSettleMs); // the late counts add nothing
        QCOMPARE(recorder.log, (QStringList{QStringLiteral("opened"), QStringLiteral("dsr"),
                                            QStringLiteral("dsr")}));
        QCOMPARE(recorder.status.mid(1), (QList<quint32>{0x20, 0}));
    }

    void probePorts()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray saved = qgetenv("TAVRIN_DEV_DIR");
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(dir.path()));
        const auto restore = qScopeGuard([&] { qputenv("TAVRIN_DEV_DIR", saved); });

        QCOMPARE(ProbePorts(), 0u);

        // Pseudo-terminal multiplexers: character devices that open exclusively.
        for (const char *name : {"ttyS0", "ttyS2", "ttyS3"})
            QVERIFY(QFile::link(QStringLiteral("/dev/ptmx"), dir.filePath(QLatin1String(name))));
        QFile plain(dir.filePath(QStringLiteral("ttyS1"))); // not a device
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QCOMPARE(ProbePorts(), 0x0004000Du);

        // The fake device at COM12 counts as well, unless something holds it.
        const QByteArray com12 = QFile::encodeName(dir.filePath(QStringLiteral("ttyUSB7")));
        fakeserial::attach(com12.constData());
        QCOMPARE(ProbePorts(), 0x000C080Du);
        QVERIFY(!fakeserial::isOpen());
        const int held = ::open(com12.constData(), O_RDWR | O_NOCTTY);
        QCOMPARE(ProbePorts(), 0x0004000Du);
        ::close(held);
    }

    // An adapter chosen as COM5 (ttyUSB0) comes back as ttyUSB1; its name in
    // serial/by-id still leads to it, and it is not listed again as COM6.
    void stableNameFindsTheAdapterAgain()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray saved = qgetenv("TAVRIN_DEV_DIR");
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(dir.path()));
        const auto restore = qScopeGuard([&] { qputenv("TAVRIN_DEV_DIR", saved); });
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("serial/by-id")));
        const QString name = QStringLiteral("usb-FTDI_FT232R_USB_UART_A10K4B2C-if00-port0");
        const QString link = dir.filePath(QStringLiteral("serial/by-id/") + name);
        const auto plugInAs = [&](const char *device) {
            QFile::remove(link);
            QVERIFY(QFile::link(QStringLiteral("../../") + QLatin1String(device), link));
            fakeserial::attach(QFile::encodeName(dir.filePath(QLatin1String(device))).constData());
        };

        plugInAs("ttyUSB0");
        TComPort port;
        port.setPort(5);
        port.Open(); // no name yet: learnt from the device opened
        QCOMPARE(port.stableName(), name);
        QCOMPARE(platform::serial::stableNameOf(dir.filePath(QStringLiteral("ttyUSB0"))), name);
        port.Close();

        plugInAs("ttyUSB1");
        QCOMPARE(port.deviceName(), dir.filePath(QStringLiteral("ttyUSB1")));
        port.Open();
        QVERIFY(port.connected());
        port.Close();
        QCOMPARE(ProbePorts(5, name), 0x00050010u); // COM5 only
        QCOMPARE(ProbePorts(), 0x00060020u);        // without the name: COM6

        // A name that does not exist (or would lead out of the folder) leaves
        // the port's own device.
        QFile::remove(link);
        QCOMPARE(port.deviceName(), dir.filePath(QStringLiteral("ttyUSB0")));
        port.setStableName(QStringLiteral("../../ttyUSB1"));
        QCOMPARE(port.deviceName(), dir.filePath(QStringLiteral("ttyUSB0")));
        QCOMPARE(platform::serial::stableNameOf(dir.filePath(QStringLiteral("ttyS0"))), QString());
    }
};

QTEST_GUILESS_MAIN(TestComms)
#include "tst_Comms.moc"
