#include "controls/ColorSpeedButton.h"
#include "controls/Comms.h"
#include "controls/Udigit.h"
#include "platform/Tick.h"
#include "platform/UserStore.h"
#include "settings/ProgramTitle.h"
#include "ui/DlgYesNo.h"
#include "ui/FMain.h"
#include "ui/LockImage.h"

#include "FakeSerial.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <memory>
#include <optional>

#include <sys/ioctl.h>

namespace {

quint32 g_tick = 1000;
quint32 testTick()
{
    return g_tick;
}

enum class RunState { Ready, Running, Stopped };

struct HandOver
{
    qint32 finalTime;
    CaptureSlots captures;
};

// One main window with handles on what the tests look at.
struct Window
{
    std::unique_ptr<TFormMain> form = std::make_unique<TFormMain>();
    std::optional<HandOver> lastRun;
    int lineEvents = 0;

    Window()
    {
        QObject::connect(form.get(), &TFormMain::runStopped, form.get(),
                         [this](qint32 finalTime, const CaptureSlots &captures) {
                             lastRun = HandOver{finalTime, captures};
                         });
        // Connected after the window's own handlers, so it counts handled events.
        for (auto signal : {&TComPort::dsr, &TComPort::rlsd, &TComPort::cts})
            QObject::connect(form->comPort(), signal, form.get(), [this] { ++lineEvents; });
    }

    template <typename T> T *child(const char *name) const
    {
        return form->findChild<T *>(QLatin1String(name));
    }
    QAction *action(const char *name) const { return child<QAction>(name); }
    TColorSpeedButton *button(const char *name) const { return child<TColorSpeedButton>(name); }
    TLockImage *lock(const char *name) const { return child<TLockImage>(name); }
    QTimer *timer(const char *name) const { return child<QTimer>(name); }
    QSpinBox *spin(const char *name) const { return child<QSpinBox>(name); }
    int digit(const char *name) const { return child<TDigit>(name)->value(); }
    QTimer *lockout() const { return timer("TimerGesperrtStop"); }
    const CaptureSlots &captures() const { return form->captureSlots(); }

    bool show()
    {
        form->show();
        return QTest::qWaitForWindowActive(form.get());
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(form.get(), key, modifiers);
    }

    // Changes the fake device's lines at the given tick and waits until the
    // window has handled the event.
    bool lines(int lines, quint32 tick)
    {
        g_tick = tick;
        const int before = lineEvents;
        fakeserial::setLines(lines);
        return QTest::qWaitFor([&] { return lineEvents > before; }, 2000);
    }

    RunState state() const
    {
        const bool start = action("mStart")->isEnabled();
        const bool stop = action("mStop")->isEnabled();
        const bool reset = action("mReset")->isEnabled();
        // Menu items and buttons always agree; the clock runs exactly while running.
        if (start != button("bSTART")->isEnabled() || stop != button("bSTOP")->isEnabled() ||
            reset != button("bRESET")->isEnabled())
            qFatal("menu items and buttons disagree");
        const bool clock = timer("Clock")->isActive();
        const bool edit = spin("editStartN1")->isEnabled();
        if (start && !stop && !reset && !clock && edit)
            return RunState::Ready;
        if (!start && stop && !reset && clock && !edit)
            return RunState::Running;
        if (!start && !stop && reset && !clock && !edit)
            return RunState::Stopped;
        qFatal("no run state: start %d stop %d reset %d clock %d edit %d", start, stop, reset,
               clock, edit);
    }
};

// Answers the yes/no dialog with the chosen button whenever it is up.
struct Answerer
{
    QTimer poll;
    const char *button = "CancelBtn";
    int asked = 0;

    explicit Answerer(TFDlgYesNo &dialog)
    {
        QObject::connect(&poll, &QTimer::timeout, &dialog, [this, &dialog] {
            if (!dialog.isVisible())
                return;
            ++asked;
            QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(button)),
                              Qt::LeftButton);
        });
        poll.start(20);
    }
};

} // namespace

class tst_FMain : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_devDir;
    QTemporaryDir m_configHome;
    QByteArray m_com1; // the fake device, seen as COM1

    static void storeSettings(const Settings &settings)
    {
        platform::UserStore store = openSettingsStore(programTitle());
        QVERIFY(saveSettings(store, settings));
    }

    // Settings that open the fake port, with the given mode and lockout.
    static void storePortSettings(qint32 mode, qint32 lockout)
    {
        Settings settings;
        settings.Port = 1;
        settings.Alg = mode;
        settings.WaitStart = lockout;
        storeSettings(settings);
    }

    static bool watching(const Window &w)
    {
        return w.form->comPort()->connected() && fakeserial::waitForWaiters(1, 2000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_devDir.isValid() && m_configHome.isValid());
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(m_devDir.path()));
        // Also when run by hand, outside CTest's private settings folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
        m_com1 = QFile::encodeName(m_devDir.filePath(QStringLiteral("ttyS0")));
        platform::setTickSource(testTick);
    }

    void init()
    {
        QFile::remove(openSettingsStore(programTitle()).location());
        fakeserial::attach(m_com1.constData());
        g_tick = 1000;
    }

    void commandsFollowTheStateTable()
    {
        Window w;
        QVERIFY(w.show());
        QCOMPARE(w.state(), RunState::Ready);
        QCOMPARE(w.lock("ImageLSstart")->tag(), 0);
        QCOMPARE(w.lock("ImageLSstop")->tag(), 0);
        QVERIFY(!w.lockout()->isActive());
        QCOMPARE(w.button("bSTART")->color(), clGreen);
        QCOMPARE(w.button("bSTOP")->color(), clBtnFace);

        // Disabled items do nothing, whichever way they are reached.
        w.key(Qt::Key_F9);
        w.key(Qt::Key_F7);
        w.action("mStop")->trigger();
        QCOMPARE(w.state(), RunState::Ready);

        w.key(Qt::Key_F5);
        QCOMPARE(w.state(), RunState::Running);
        QCOMPARE(w.button("bSTART")->color(), clBtnFace);
        QCOMPARE(w.button("bSTOP")->color(), clRed);
        QCOMPARE(w.button("bSTOP")->lightColor(), TColor(0x9090FF));
        g_tick = 1500;
        w.key(Qt::Key_F5);
        w.key(Qt::Key_F7);
        QCOMPARE(w.state(), RunState::Running);

        g_tick = 13450;
        w.key(Qt::Key_F9);
        QCOMPARE(w.state(), RunState::Stopped);
        QCOMPARE(w.button("bRESET")->color(), clGray);
        QCOMPARE(w.button("bSTOP")->color(), clBtnFace);
        // Stopped right after the start: no intermediate time, finish = final time.
        QVERIFY(w.lastRun);
        QCOMPARE(w.lastRun->finalTime, 12450);
        QCOMPARE(w.lastRun->captures, (CaptureSlots{0, 0, 0, 12450}));
        QCOMPARE(w.digit("Digit5"), 1);
        QCOMPARE(w.digit("Digit6"), 2);
        QCOMPARE(w.digit("Digit2"), 1);
        QCOMPARE(w.child<QLabel>("LabelTypeSpeed")->text(), QString());

        w.key(Qt::Key_F5);
        w.key(Qt::Key_F9);
        QCOMPARE(w.state(), RunState::Stopped);
        w.key(Qt::Key_F7);
        QCOMPARE(w.state(), RunState::Ready);
        QCOMPARE(w.captures(), (CaptureSlots{0, 0, 0, 0}));
        QCOMPARE(w.digit("Digit6"), 0);
        QCOMPARE(w.digit("Digit2"), 0);
        QVERIFY(w.child<QLabel>("LabelTypeSpeed")->isHidden());

        // The buttons: START and STOPP act on the press, RESET on the click.
        QTest::mousePress(w.button("bSTART"), Qt::RightButton);
        QCOMPARE(w.state(), RunState::Running);
        QTest::mouseRelease(w.button("bSTART"), Qt::RightButton);
        QTest::mousePress(w.button("bSTOP"), Qt::LeftButton);
        QCOMPARE(w.state(), RunState::Stopped);
        QTest::mouseRelease(w.button("bSTOP"), Qt::LeftButton);
        QTest::mouseClick(w.button("bRESET"), Qt::LeftButton);
        QCOMPARE(w.state(), RunState::Ready);
    }

    void keysActWhileAnotherWindowHasTheFocus()
    {
        Window w;
        QVERIFY(w.show());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::keyClick(&other, Qt::Key_F5);
        QCOMPARE(w.state(), RunState::Running);
        QTest::keyClick(&other, Qt::Key_F11);
        QCOMPARE(w.lock("ImageLSstart")->tag(), 1);
    }

    void resetAdvancesTheStartNumbers_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("next");
        QTest::addColumn<int>("newCurrent");
        QTest::addColumn<int>("newNext");
        QTest::newRow("3, 4") << 3 << 4 << 4 << 5;
        QTest::newRow("next 9999") << 3 << 9999 << 9999 << 9999;
        QTest::newRow("both 9999") << 9999 << 9999 << 9999 << 9999;
    }

    void resetAdvancesTheStartNumbers()
    {
        QFETCH(int, current);
        QFETCH(int, next);
        Window w;
        QVERIFY(w.show());
        w.spin("editStartN1")->setValue(current);
        w.spin("editStartN2")->setValue(next);
        w.key(Qt::Key_F5);
        w.key(Qt::Key_F9);
        w.key(Qt::Key_F7);
        QTEST(w.spin("editStartN1")->value(), "newCurrent");
        QTEST(w.spin("editStartN2")->value(), "newNext");
        // Held at the limits, at most four characters.
        w.spin("editStartN1")->setValue(12345);
        QCOMPARE(w.spin("editStartN1")->value(), 9999);
        w.spin("editStartN1")->setValue(0);
        QCOMPARE(w.spin("editStartN1")->value(), 1);
    }

    void startLineStartsOnlyWhenArmed_data()
    {
        QTest::addColumn<qint32>("mode");
        QTest::addColumn<int>("acting");  // lines after which the start line acts
        QTest::addColumn<int>("passive"); // lines after the opposite change
        QTest::newRow("mode 0: DSR on") << 0 << TIOCM_DSR << 0;
        QTest::newRow("mode 1: DSR off") << 1 << 0 << TIOCM_DSR;
    }

    void startLineStartsOnlyWhenArmed()
    {
        QFETCH(qint32, mode);
        QFETCH(int, acting);
        QFETCH(int, passive);
        storePortSettings(mode, 0);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        QVERIFY(w.lock("ImageLSstart")->isVisible());

        // After start-up the start line does nothing until F11 has armed it.
        if (passive != 0)
            QVERIFY(w.lines(passive, 1000));
        QVERIFY(w.lines(acting, 1100));
        QCOMPARE(w.state(), RunState::Ready);
        QVERIFY(w.lines(passive, 1200));

        w.key(Qt::Key_F11);
        QCOMPARE(w.lock("ImageLSstart")->tag(), 1);
        QVERIFY(w.lines(acting, 2000));
        QCOMPARE(w.state(), RunState::Running);
        QCOMPARE(w.lock("ImageLSstart")->tag(), 0); // every start blocks it
        QVERIFY(w.lines(passive, 2300));
        QCOMPARE(w.state(), RunState::Running);

        // The start took the line event's instant.
        g_tick = 7000;
        w.key(Qt::Key_F9);
        QCOMPARE(w.lastRun->finalTime, 5000);
        w.key(Qt::Key_F7);

        // The next start needs the lock armed again.
        QVERIFY(w.lines(acting, 8000));
        QCOMPARE(w.state(), RunState::Ready);
        QVERIFY(w.lines(passive, 8100));
        w.key(Qt::Key_F11);
        QVERIFY(w.lines(acting, 9000));
        QCOMPARE(w.state(), RunState::Running);
    }

    void barriersTakeTheirTimesInOrder()
    {
        storePortSettings(0, 60000);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        const auto endLockout = [&] {
            QVERIFY(w.lockout()->isActive());
            w.form->TimerGesperrtTimer();
        };
        w.key(Qt::Key_F11);
        QVERIFY(w.lines(TIOCM_DSR, 1000));
        QVERIFY(w.lines(0, 1300));
        QCOMPARE(w.state(), RunState::Running);
        QVERIFY(!w.lockout()->isActive()); // the start line never locks out

        // DCD twice within the lockout: only the first takes a time.
        QVERIFY(w.lines(TIOCM_CD, 2000));
        QCOMPARE(w.captures()[0], 2000);
        QCOMPARE(w.child<QLabel>("LabelTypeSpeed")->text(), QStringLiteral("5 m"));
        QCOMPARE(w.digit("Digit3"), 1);
        QVERIFY(w.lines(0, 2050));
        QVERIFY(w.lines(TIOCM_CD, 2100));
        QCOMPARE(w.captures(), (CaptureSlots{2000, 0, 0, 0}));
        endLockout();
        QVERIFY(w.lines(0, 2900));

        // DCD again before the second intermediate: ignored, no lockout.
        QVERIFY(w.lines(TIOCM_CD, 3000));
        QVERIFY(w.lines(0, 3100));
        QCOMPARE(w.captures(), (CaptureSlots{2000, 0, 0, 0}));
        QVERIFY(!w.lockout()->isActive());

        QVERIFY(w.lines(TIOCM_CTS, 4000));
        QCOMPARE(w.captures(), (CaptureSlots{2000, 4000, 0, 0}));
        QCOMPARE(w.child<QLabel>("LabelTypeSpeed")->text(), QStringLiteral("10 m"));
        endLockout();
        QVERIFY(w.lines(0, 4100));

        QCOMPARE(w.lock("ImageLSstop")->tag(), 0);
        QVERIFY(w.lines(TIOCM_CD, 5500));
        QCOMPARE(w.captures(), (CaptureSlots{2000, 4000, 5500, 0}));
        QCOMPARE(w.child<QLabel>("LabelTypeSpeed")->text(), QStringLiteral("15 m"));
        QCOMPARE(w.lock("ImageLSstop")->tag(), 1); // the finish is armed
        QCOMPARE(w.digit("Digit3"), 4);
        QCOMPARE(w.digit("Digit0"), 5);
        endLockout();
        QVERIFY(w.lines(0, 5600));

        QVERIFY(w.lines(TIOCM_CTS, 7340));
        QCOMPARE(w.state(), RunState::Stopped);
        QVERIFY(w.lastRun);
        QCOMPARE(w.lastRun->finalTime, 6340);
        QCOMPARE(w.lastRun->captures, (CaptureSlots{1000, 3000, 4500, 6340}));
        QCOMPARE(w.lock("ImageLSstop")->tag(), 0); // every stop blocks it
        QVERIFY(w.lockout()->isActive());          // a finish taken by the line locks out
    }

    void stopLineInReadyOrStoppedTakesNothing()
    {
        storePortSettings(0, 60000);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        QVERIFY(w.lines(TIOCM_CTS, 1000));
        QVERIFY(w.lines(0, 1100));
        QCOMPARE(w.state(), RunState::Ready);
        QVERIFY(!w.lockout()->isActive());

        w.key(Qt::Key_F5);
        w.key(Qt::Key_F9);
        QVERIFY(w.lines(TIOCM_CTS, 2000));
        QVERIFY(w.lines(TIOCM_CD | TIOCM_CTS, 2100));
        QCOMPARE(w.state(), RunState::Stopped);
        QVERIFY(!w.lockout()->isActive());
        QCOMPARE(w.captures(), (CaptureSlots{0, 0, 0, 0}));

        // Running with the second slot taken and the finish blocked: ignored.
        w.key(Qt::Key_F7);
        w.key(Qt::Key_F5);
        QVERIFY(w.lines(TIOCM_CD, 3000));
        w.form->TimerGesperrtTimer();
        QVERIFY(w.lines(0, 3100));
        QVERIFY(w.lines(TIOCM_CTS, 3200));
        w.form->TimerGesperrtTimer();
        QVERIFY(w.lines(0, 3300));
        QVERIFY(w.lines(TIOCM_CTS, 3400));
        QCOMPARE(w.state(), RunState::Running);
        QVERIFY(!w.lockout()->isActive());
    }

    void lockoutZeroNeverLocksOut()
    {
        storePortSettings(0, 0);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        w.key(Qt::Key_F5);
        QVERIFY(w.lines(TIOCM_CD, 1200));
        QVERIFY(w.lines(0, 1210));
        QVERIFY(w.lines(TIOCM_CTS, 1300));
        QVERIFY(w.lines(0, 1310));
        QVERIFY(w.lines(TIOCM_CD, 1400));
        QVERIFY(w.lines(0, 1410));
        QVERIFY(!w.lockout()->isActive());
        // Every repeat acts: the finish is armed and the next CTS stops.
        QVERIFY(w.lines(TIOCM_CTS, 1500));
        QCOMPARE(w.state(), RunState::Stopped);
        QCOMPARE(w.lastRun->captures, (CaptureSlots{200, 300, 400, 500}));
        QVERIFY(!w.lockout()->isActive());
    }

    void sameStatusTwiceDoesNothing()
    {
        storePortSettings(0, 0);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        w.key(Qt::Key_F11);
        QVERIFY(w.lines(TIOCM_DSR, 1000));
        QCOMPARE(w.state(), RunState::Running);
        w.key(Qt::Key_F11);
        // A report without a change: a real one would block the armed lock.
        w.form->ComPortStart();
        QCOMPARE(w.lock("ImageLSstart")->tag(), 1);
        QVERIFY(w.lines(TIOCM_DSR | TIOCM_CD, 1200));
        w.form->ComPort24();
        QCOMPARE(w.captures(), (CaptureSlots{1200, 0, 0, 0}));
        // A change of another line counts as a change of this handler's word.
        QVERIFY(w.lines(TIOCM_CD, 1300));
        QCOMPARE(w.lock("ImageLSstart")->tag(), 1); // DSR went off: mode 0 ignores it
        QVERIFY(w.lines(TIOCM_CD | TIOCM_DSR, 1400));
        QCOMPARE(w.lock("ImageLSstart")->tag(), 0); // running: no start, the lock is blocked
        QCOMPARE(w.state(), RunState::Running);
    }

    void testKeysSimulateTheBarriers()
    {
        Window w; // no port open: the test keys work all the same
        QVERIFY(w.show());
        QWidget *panel = w.child<QWidget>("PanelKeys");
        QCOMPARE(panel->width(), 257);
        w.key(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(panel->width(), 188);
        QVERIFY(w.child<QPushButton>("Button3")->isVisible());

        const auto press = [&](const char *name, quint32 tick) {
            g_tick = tick;
            QTest::mouseClick(w.child<QPushButton>(name), Qt::LeftButton);
        };
        w.form->settings().Alg = 1; // the keys act whatever the mode
        w.lockout()->setInterval(60000);
        press("Button1", 1000);
        QCOMPARE(w.state(), RunState::Running);
        press("Button3", 2000);
        QCOMPARE(w.captures(), (CaptureSlots{0, 2000, 0, 0}));
        QVERIFY(w.lockout()->isActive());
        press("Button3", 2500); // within the lockout
        QCOMPARE(w.state(), RunState::Running);
        w.form->TimerGesperrtTimer();
        w.key(Qt::Key_F12);
        press("Button3", 3000);
        QCOMPARE(w.state(), RunState::Stopped);
        QCOMPARE(w.lastRun->captures, (CaptureSlots{0, 1000, 0, 2000}));
        QCOMPARE(w.form->settings().Alg, 1);

        w.key(Qt::Key_F7);
        w.form->TimerGesperrtTimer();
        press("Button1", 5000);
        press("Button2", 5100);
        w.form->TimerGesperrtTimer();
        press("Button3", 5200);
        w.form->TimerGesperrtTimer();
        press("Button4", 5300); // the intermediate line counts every press as a change
        w.form->TimerGesperrtTimer();
        press("Button5", 5400);
        QCOMPARE(w.lastRun->captures, (CaptureSlots{100, 200, 300, 400}));

        w.key(Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(panel->width(), 150);
        QVERIFY(w.child<QPushButton>("Button3")->isHidden());
    }

    void runAcrossTheTickWrap()
    {
        Window w;
        QVERIFY(w.show());
        w.key(Qt::Key_T, Qt::ControlModifier);
        g_tick = 0xFFFFF000u;
        w.key(Qt::Key_F5);
        g_tick = 0xFFFFFF00u;
        QTest::mouseClick(w.child<QPushButton>("Button2"), Qt::LeftButton);
        g_tick = 0x00000500u;
        w.form->ClockTimer();
        QCOMPARE(w.digit("Digit6"), 5); // 5,37 s
        g_tick = 0x00001000u;
        w.key(Qt::Key_F9);
        QCOMPARE(w.lastRun->finalTime, 0x2000);
        QCOMPARE(w.lastRun->captures, (CaptureSlots{0xF00, 0, 0, 0x2000}));
    }

    void closingAsksOnlyWhileRunning()
    {
        Window w;
        auto *dialog = new TFDlgYesNo(programTitle(), w.form.get());
        w.form->setDlgYesNo(dialog);
        QVERIFY(w.show());
        Answerer answer(*dialog);
        QVERIFY(w.form->close()); // Ready
        QCOMPARE(answer.asked, 0);
        QCOMPARE(dialog->question(), QStringLiteral("Beenden?"));

        QVERIFY(w.show());
        w.key(Qt::Key_F5);
        QVERIFY(!w.form->close()); // "Nein": the run goes on
        QCOMPARE(answer.asked, 1);
        QCOMPARE(w.state(), RunState::Running);
        QVERIFY(w.form->isVisible());

        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.key(Qt::Key_F9);
        QVERIFY(w.form->close()); // Stopped
        QCOMPARE(answer.asked, 1);

        QVERIFY(w.show());
        w.key(Qt::Key_F7);
        w.key(Qt::Key_F5);
        answer.button = "OKBtn";
        QVERIFY(w.form->close());
        QCOMPARE(answer.asked, 2);
    }

    void showTimeMirrorsToTheSecondMonitor()
    {
        Window w;
        QWidget monitor;
        for (const char *name : {"Digit4", "Digit5", "Digit6", "Digit7", "Digit8", "Digit1",
                                 "Digit2", "Digit3", "Digit0", "Digit10"})
            (new TDigit(&monitor))->setObjectName(QLatin1String(name));
        for (const char *name : {"LabMin", "LabSec", "LabelTime2", "LabStart1", "LabNext1"})
            (new QLabel(&monitor))->setObjectName(QLatin1String(name));
        w.form->setMonitorWindow(&monitor);
        QVERIFY(w.show());
        const auto mirrored = [&](const char *name) {
            return monitor.findChild<TDigit *>(QLatin1String(name));
        };

        w.form->ShowTime(DisplayRow::Upper, 62340);
        QCOMPARE(mirrored("Digit4")->value(), 1);
        QCOMPARE(mirrored("Digit4")->colorOn(), kActiveDigitColor);
        QCOMPARE(mirrored("Digit8")->value(), 4);
        w.form->ShowTime(DisplayRow::Lower, 62340);
        QCOMPARE(mirrored("Digit1")->colorOn(), kDimDigitColor);
        QCOMPARE(mirrored("Digit2")->value(), 6);
        QCOMPARE(w.child<TDigit>("Digit1")->colorOn(), kDimDigitColor);
        QCOMPARE(w.child<TDigit>("Digit2")->colorOn(), kActiveDigitColor);

        w.form->ShowTime(DisplayRow::Upper, 5000);
        QCOMPARE(monitor.findChild<QLabel *>(QStringLiteral("LabMin"))
                     ->palette()
                     .color(QPalette::WindowText),
                 toQColor(kDimDigitColor));

        w.spin("editStartN2")->setValue(17);
        QCOMPARE(monitor.findChild<QLabel *>(QStringLiteral("LabNext1"))->text(),
                 QStringLiteral("Bereit: 17 "));
        w.key(Qt::Key_F5);
        w.key(Qt::Key_F9);
        w.key(Qt::Key_F7);
        QCOMPARE(monitor.findChild<QLabel *>(QStringLiteral("LabStart1"))->text(),
                 QStringLiteral(" Start-Nr.:17"));
        QCOMPARE(monitor.findChild<QLabel *>(QStringLiteral("LabelTime2"))->text(),
                 QStringLiteral("Zwischenzeit:"));
        QCOMPARE(mirrored("Digit6")->value(), 0);
    }

    void settingsAreLoadedBeforeThePortOpensAndSavedAtTheEnd()
    {
        Settings stored;
        stored.Port = 1;
        stored.Alg = 1;
        stored.WaitStart = 350;
        stored.Width = 900;
        stored.Length2 = 7;
        storeSettings(stored);
        {
            Window w;
            QVERIFY(w.form->comPort()->connected()); // the stored port, opened
            QCOMPARE(w.form->comPort()->port(), 1);
            QVERIFY(w.lock("ImageLSstop")->isVisibleTo(w.form.get()));
            QCOMPARE(w.lockout()->interval(), 350);
            QCOMPARE(w.form->settings().Alg, 1);
            QCOMPARE(w.form->width(), 900);
            QVERIFY(w.form->probedPorts() & 1);
            w.lockout()->setInterval(123);
            w.form->settings().Length2 = 8;
        }
        QVERIFY(!fakeserial::isOpen());
        const Settings saved = loadSettings(openSettingsStore(programTitle()), 1);
        QCOMPARE(saved.Port, 1);
        QCOMPARE(saved.WaitStart, 123);
        QCOMPARE(saved.Length2, 8);
        QCOMPARE(saved.Width, 900);
    }

    void portFailureIsSwallowed()
    {
        Settings stored;
        stored.Port = 5; // no such device
        storeSettings(stored);
        {
            Window w;
            QVERIFY(!w.form->comPort()->connected());
            QVERIFY(!w.lock("ImageLSstart")->isVisibleTo(w.form.get()));
            w.form->TestKeysClick(1);
            QCOMPARE(w.state(), RunState::Running);
        }
        QCOMPARE(loadSettings(openSettingsStore(programTitle()), 1).Port, 5);

        stored.Port = 1;
        storeSettings(stored);
        fakeserial::failSetup(EIO);
        Window w;
        QVERIFY(!w.form->comPort()->connected());
        QCOMPARE(w.form->comPort()->port(), 1);
    }
};

QTEST_MAIN(tst_FMain)
#include "tst_FMain.moc"
