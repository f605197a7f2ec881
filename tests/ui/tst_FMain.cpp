#include "controls/ColorSpeedButton.h"
#include "controls/Comms.h"
#include "controls/MyGrids.h"
#include "controls/SortGrid.h"
#include "controls/Udigit.h"
#include "help/HelpManager.h"
#include "help/HtmlHelpViewer.h"
#include "platform/HtmlHelp.h"
#include "platform/Tick.h"
#include "platform/UserStore.h"
#include "protocol/ProtocolTables.h"
#include "protocol/SplitSummary.h"
#include "settings/ProgramTitle.h"
#include "ui/DlgYesNo.h"
#include "ui/FMain.h"
#include "ui/FMonitor2.h"
#include "ui/LockImage.h"

#include "FakeSerial.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <cerrno>
#include <memory>
#include <optional>

#include <asm/termbits.h>
#include <sys/ioctl.h>

using namespace Qt::StringLiterals;

namespace {

quint32 g_tick = 1000;
quint32 testTick()
{
    return g_tick;
}

enum class RunState { Ready, Running, Stopped };

// Where a key is typed.
enum class KeyTarget { Main, Monitor, Help, Other };

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
    TProtocolTables &tables() const { return *form->protocolTables(); }
    SplitBlock splitBlockOf(int row) const { return tables().splitBlock(row); }
    QString protocol(int col, int row) const { return tables().SortGrid1->cells(col, row); }
    // The four texts of a split-grid row.
    QStringList splits(int row) const
    {
        QStringList texts;
        for (int col = 0; col < kSplitColumns; ++col)
            texts << tables().SortGridRes->cells(col, row);
        return texts;
    }
    // One run through the test keys: start, then the three intermediates and
    // the finish the given milliseconds after the start.
    void testRun(quint32 start, const CaptureSlots &at)
    {
        lockout()->setInterval(0);
        g_tick = start;
        form->TestKeysClick(1);
        g_tick = start + quint32(at[0]);
        form->TestKeysClick(2);
        g_tick = start + quint32(at[1]);
        form->TestKeysClick(3);
        g_tick = start + quint32(at[2]);
        form->TestKeysClick(2);
        g_tick = start + quint32(at[3]);
        form->TestKeysClick(5);
    }

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

    // The main window's keys are its own and the second monitor's: typed into
    // the help window or another window, they would start runs and remove rows.
    void keysActOnlyInTheMainAndTheTvWindow_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("acts");
        QTest::newRow("main window") << int(KeyTarget::Main) << true;
        QTest::newRow("second-monitor window") << int(KeyTarget::Monitor) << true;
        QTest::newRow("help window") << int(KeyTarget::Help) << false;
        QTest::newRow("another window") << int(KeyTarget::Other) << false;
    }

    void keysActOnlyInTheMainAndTheTvWindow()
    {
        QFETCH(int, target);
        QFETCH(bool, acts);
        Window w;
        auto *dialog = new TFDlgYesNo(QStringLiteral("Test"), w.form.get());
        w.form->setDlgYesNo(dialog);
        auto *monitor = new TFormMonitor2(QStringLiteral("Titel"), 0, w.form.get());
        w.form->setMonitorWindow(monitor);
        QVERIFY(w.show());
        w.testRun(1000, {100, 200, 300, 400});
        w.key(Qt::Key_F7);
        QCOMPARE(w.protocol(0, 1), u"1"_s);
        Answerer answer(*dialog);

        platform::BuiltInHtmlHelp help;
        QWidget other;
        QWidget *receiver = w.form.get();
        switch (KeyTarget(target)) {
        case KeyTarget::Main:
            break;
        case KeyTarget::Monitor:
            w.form->Modus1Click();
            receiver = monitor;
            break;
        case KeyTarget::Help:
            receiver = help.HtmlHelpA(w.form.get(), QStringLiteral(TAVRIN_HELP_TEST_FILE),
                                      HH_DISPLAY_TOC, 0);
            QVERIFY(receiver);
            break;
        case KeyTarget::Other:
            other.show();
            receiver = &other;
            break;
        }
        receiver->activateWindow();
        QTRY_VERIFY(receiver->isActiveWindow());

        QTest::keyClick(receiver, Qt::Key_0, Qt::ControlModifier); // the viewers' "reset zoom"
        QCOMPARE(w.protocol(0, 1).isEmpty(), acts);
        QTest::keyClick(receiver, Qt::Key_F11);
        QCOMPARE(w.lock("ImageLSstart")->tag(), acts ? 1 : 0);
        QTest::keyClick(receiver, Qt::Key_F5);
        QCOMPARE(w.state(), acts ? RunState::Running : RunState::Ready);
        QTest::keyClick(receiver, Qt::Key_F9);
        QCOMPARE(w.state(), acts ? RunState::Stopped : RunState::Ready);
        QCOMPARE(answer.asked, 0);
        QTest::keyClick(receiver, Qt::Key_F8);
        QCOMPARE(answer.asked, acts ? 1 : 0);
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

    // Passages shorter than the main thread is busy, or over before the
    // monitor looks again, still take their times.
    void shortPassagesAreNotLost()
    {
        storePortSettings(0, 0);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        w.key(Qt::Key_F11);
        QVERIFY(w.lines(TIOCM_DSR, 1000));
        QVERIFY(w.lines(0, 1300));
        QCOMPARE(w.state(), RunState::Running);

        // The main thread is busy from before the barrier closes until after
        // it has opened again.
        g_tick = 2000;
        int before = w.lineEvents;
        const int wakeUps = fakeserial::wakeUps();
        fakeserial::setLines(TIOCM_CD);
        QVERIFY(fakeserial::waitForWakeUp(wakeUps + 1, 2000));
        QThread::msleep(60);
        fakeserial::setLines(0);
        QVERIFY(QTest::qWaitFor([&] { return w.lineEvents >= before + 2; }, 2000));
        QCOMPARE(w.captures(), (CaptureSlots{2000, 0, 0, 0}));

        // On and off again at once: the monitor may wake only after both edges.
        g_tick = 4000;
        before = w.lineEvents;
        fakeserial::setLines(TIOCM_CTS);
        fakeserial::setLines(0);
        QVERIFY(QTest::qWaitFor([&] { return w.lineEvents >= before + 2; }, 2000));
        QCOMPARE(w.captures(), (CaptureSlots{2000, 4000, 0, 0}));
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

    void runsFillTheProtocol()
    {
        Window w; // no port open: the test keys drive the runs
        QVERIFY(w.show());
        TProtocolTables &tables = w.tables();

        // The first run uses the empty row 1.
        w.testRun(1000, {2000, 3000, 4000, 5000});
        QCOMPARE(w.state(), RunState::Stopped);
        QCOMPARE(tables.SortGrid1->rowCount(), 2);
        QCOMPARE(w.protocol(0, 1), QStringLiteral("1"));
        QCOMPARE(w.protocol(2, 1), QStringLiteral("5,00"));
        QCOMPARE(w.splits(kFirstAttemptRow),
                 (QStringList{u"2,00"_s, u"3,00"_s, u"4,00"_s, u"5,00"_s}));
        QVERIFY(tables.SortGrid1->isEnabled() && tables.SortGridRes->isEnabled());
        QVERIFY(w.child<QToolButton>("sbCLS")->isEnabled());

        // The next start number adds row 2 and its block in the store; the
        // grids are locked while the run is timed.
        w.key(Qt::Key_F7);
        QCOMPARE(w.spin("editStartN1")->value(), 2);
        g_tick = 10000;
        w.key(Qt::Key_F5);
        QVERIFY(!tables.SortGrid1->isEnabled() && !tables.SortGridRes->isEnabled());
        QCOMPARE(tables.SortGrid1->rowCount(), 3);
        QCOMPARE(w.protocol(0, 2), QStringLiteral("2"));
        QCOMPARE(tables.SortGridTmp->rowCount(), 12);
        QCOMPARE(tables.shownRow(), 2);
        // Stop right after the start: no intermediate times.
        g_tick = 11230;
        w.key(Qt::Key_F9);
        QCOMPARE(w.splits(kFirstAttemptRow), (QStringList{u"-"_s, u"-"_s, u"-"_s, u"1,23"_s}));
        QCOMPARE(w.protocol(2, 2), QStringLiteral("1,23"));
        QCOMPARE(w.splitBlockOf(1)[kFirstAttemptRow - 1][3], QStringLiteral("5,00"));

        // Reset to a start number that has a row selects that row.
        w.spin("editStartN2")->setValue(1);
        w.key(Qt::Key_F7);
        QCOMPARE(w.spin("editStartN1")->value(), 1);
        QCOMPARE(tables.SortGrid1->row(), 1);
        QCOMPARE(tables.shownRow(), 1);
    }

    void fiveRunsStrikeTheSlowest()
    {
        Window w;
        QVERIFY(w.show());
        const qint32 finals[] = {10000, 10500, 11000, 12000, 10500};
        quint32 start = 1000;
        w.spin("editStartN1")->setValue(7);
        for (qint32 final : finals) {
            w.testRun(start, {2000, 4000, 6000, final});
            QCOMPARE(w.state(), RunState::Stopped);
            w.spin("editStartN2")->setValue(7); // the same athlete every time
            w.key(Qt::Key_F7);
            start += 20000;
        }
        QCOMPARE(w.tables().SortGrid1->rowCount(), 2);
        QCOMPARE(w.tables().excludedRow(), kFirstAttemptRow + 3);
        QCOMPARE(w.protocol(2, 1), QStringLiteral("10,50"));
        QCOMPARE(w.splits(kMeanRow)[0], QStringLiteral("2,00"));
    }

    void protocolCommandsAreWired()
    {
        Window w;
        auto *dialog = new TFDlgYesNo(QStringLiteral("Test"), w.form.get());
        w.form->setDlgYesNo(dialog);
        QVERIFY(w.show());
        w.testRun(1000, {100, 200, 300, 400});
        w.key(Qt::Key_F7);
        w.testRun(5000, {100, 200, 300, 400});
        QCOMPARE(w.tables().SortGrid1->rowCount(), 3);

        // Ctrl+0 removes the selected row (2, the last run's).
        w.key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(w.tables().SortGrid1->rowCount(), 2);
        QCOMPARE(w.protocol(0, 1), QStringLiteral("1"));

        // F8 asks; No keeps everything, Yes clears and resets the split display.
        Answerer answer(*dialog);
        w.key(Qt::Key_F8);
        QCOMPARE(answer.asked, 1);
        QCOMPARE(dialog->findChild<QLabel *>(u"Label1"_s)->text(),
                 u"Zeitenprotokoll  l\u00F6schen?"_s);
        QCOMPARE(w.protocol(0, 1), QStringLiteral("1"));
        answer.button = "OKBtn";
        // The key needs an active window again once the dialog has gone.
        w.form->activateWindow();
        QTRY_VERIFY(w.form->isActiveWindow());
        QVERIFY(w.child<QLabel>("LabelTypeSpeed")->isVisible());
        QCOMPARE(w.digit("Digit0"), 4);
        w.key(Qt::Key_F8);
        QCOMPARE(answer.asked, 2);
        QCOMPARE(w.protocol(0, 1), QString());
        QVERIFY(!w.child<QToolButton>("sbCLS")->isEnabled());
        QVERIFY(w.child<QToolButton>("sbLoad")->isEnabled());
        QVERIFY(w.child<QLabel>("LabelTypeSpeed")->isHidden());
        QCOMPARE(w.digit("Digit0"), 0);
    }

    void distancesNameTheSplitColumns()
    {
        Settings settings;
        settings.Length2 = 10;
        settings.Length3 = 20;
        settings.Length4 = 30;
        settings.Length = 40;
        storeSettings(settings);
        Window w;
        QCOMPARE(w.tables().SortGridRes->cells(0, 0), QStringLiteral("10 m"));
        QCOMPARE(w.tables().SortGridRes->cells(3, 0), QStringLiteral("40 m"));
    }

    void columnsFollowTheWindowAndTheSplitter()
    {
        Window w;
        QVERIFY(w.show());
        TProtocolTables &tables = w.tables();
        QCOMPARE(tables.TabControl1->parentWidget(), w.child<QSplitter>("splitter"));
        w.form->resize(1000, 700);
        QTRY_COMPARE(tables.SortGrid1->colWidths(1),
                     tables.SortGrid1->viewport()->width() - 28 - 60 - 50 - 4);
        auto *splitter = w.child<QSplitter>("splitter");
        splitter->setSizes({500, 480});
        Q_EMIT splitter->splitterMoved(500, 1);
        QCOMPARE(tables.SortGrid1->colWidths(1),
                 tables.SortGrid1->viewport()->width() - 28 - 60 - 50 - 4);
        const int quarter = tables.SortGridRes->viewport()->width() / 4;
        QCOMPARE(tables.SortGridRes->colWidths(0), quarter);
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

        // The keys are the main window's: it must be the active one again.
        w.form->activateWindow();
        QTRY_VERIFY(w.form->isActiveWindow());
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
        TFormMonitor2 monitor(QStringLiteral("Titel"), 0); // stays hidden
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

    void helpKeysAndButtonOpenTheContents()
    {
        struct Call
        {
            QWidget *caller;
            QString file;
            unsigned command;
            QVariant data;
        };
        std::vector<Call> calls;
        HtmlHelpInstallation installation(
            helpSystem(),
            [&calls](QWidget *caller, const QString &file, unsigned command, const QVariant &data) {
                calls.push_back({caller, file, command, data});
            });
        Window w;
        QCOMPARE(helpSystem().currentHelpFile(),
                 helpFilePath(QCoreApplication::applicationFilePath()));
        const QString helpFile = QStringLiteral(TAVRIN_HELP_TEST_FILE);
        helpSystem().setHelpFile(helpFile);
        QVERIFY(w.show());

        w.key(Qt::Key_F1);
        w.key(Qt::Key_I, Qt::AltModifier);
        auto *bHelp = w.button("bHelp");
        QCOMPARE(bHelp->geometry(), QRect(9, 0, 38, 40));
        QTest::mouseClick(bHelp, Qt::LeftButton, {}, QPoint(10, 10));
        w.key(Qt::Key_I); // plain I is no help key

        QCOMPARE(calls.size(), size_t(3));
        for (const Call &call : calls) {
            QCOMPARE(call.caller, w.form.get());
            QCOMPARE(call.file, helpFile);
            QCOMPARE(call.command, HH_DISPLAY_TOC);
            QCOMPARE(call.data, QVariant(0));
        }
    }

    void infoBoxClaimsOnlyWhatIsShown()
    {
        Window w;
        QVERIFY(w.show());
        QString text;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, w.form.get(), [&text] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                text = box->text();
                box->accept();
            }
        });
        poll.start(10);
        w.key(Qt::Key_F3);
        QVERIFY(text.contains(programTitle()));
        // Times show hundredths, truncated: no claim of thousandths.
        QVERIFY2(text.contains(u"Hundertstel"_s), qPrintable(text));
        QVERIFY2(!text.contains(u"Tausendstel"_s), qPrintable(text));
    }

    void ctrlMShowsAndClosesTheSecondMonitor()
    {
        Window w;
        TFormMonitor2 monitor(QStringLiteral("Titel"), 0, w.form.get());
        w.form->setMonitorWindow(&monitor);
        QVERIFY(w.show());
        auto *tvOn = w.lock("ImageTVEin");
        auto *tvOff = w.lock("ImageTVAus");
        QCOMPARE(tvOn->pos(), tvOff->pos());
        QCOMPARE(tvOff->isVisible(), QGuiApplication::screens().size() > 1);
        QVERIFY(tvOn->isHidden());
        const auto label = [&](const char *name) {
            return monitor.findChild<QLabel *>(QLatin1String(name))->text();
        };

        // Written while hidden, seen when shown.
        w.spin("editStartN1")->setValue(5);
        w.spin("editStartN2")->setValue(9);
        QCOMPARE(label("LabStart1"), QStringLiteral(" Start-Nr.:5"));
        QCOMPARE(label("LabNext1"), QStringLiteral("Bereit: 9 "));

        w.key(Qt::Key_M, Qt::ControlModifier);
        QVERIFY(monitor.isVisible());
        QVERIFY(tvOn->isVisible());
        g_tick = 1000;
        w.key(Qt::Key_F5);
        g_tick = 3450;
        w.form->ClockTimer();
        QCOMPARE(monitor.findChild<TDigit *>(u"Digit6"_s)->value(), 2);
        QCOMPARE(monitor.findChild<TDigit *>(u"Digit7"_s)->value(), 4);
        QCOMPARE(monitor.findChild<TDigit *>(u"Digit8"_s)->value(), 5);

        // Ctrl+M works with the focus on the monitor window as well.
        QTest::keyClick(&monitor, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(monitor.isHidden());
        QVERIFY(tvOn->isHidden());
        QTest::mouseClick(tvOff, Qt::LeftButton);
        QVERIFY(monitor.isVisible());
        QVERIFY(tvOn->isVisible());
        QTest::mouseClick(tvOn, Qt::LeftButton);
        QVERIFY(monitor.isHidden());
    }

    // After a real barrier run the lines stand still: the test keys still act
    // as the barrier events they stand for, port open or not.
    void testKeysActAfterARealRun()
    {
        storePortSettings(0, 0);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        w.key(Qt::Key_F11);
        const std::pair<int, quint32> passages[] = {{TIOCM_DSR, 1000},
                                                    {TIOCM_CD, 1100},
                                                    {TIOCM_CTS, 1200},
                                                    {TIOCM_CD, 1300},
                                                    {TIOCM_CTS, 1400}};
        for (const auto &[line, tick] : passages) {
            QVERIFY(w.lines(line, tick));
            QVERIFY(w.lines(0, tick + 10));
        }
        QCOMPARE(w.lastRun->captures, (CaptureSlots{100, 200, 300, 400}));
        w.key(Qt::Key_F7);

        w.key(Qt::Key_T, Qt::ControlModifier);
        const auto press = [&](const char *name, quint32 tick) {
            g_tick = tick;
            QTest::mouseClick(w.child<QPushButton>(name), Qt::LeftButton);
        };
        press("Button1", 2000);
        QCOMPARE(w.state(), RunState::Running);
        press("Button2", 2150);
        press("Button3", 2250);
        press("Button4", 2350);
        QCOMPARE(w.captures(), (CaptureSlots{2150, 2250, 2350, 0}));
        press("Button5", 2450);
        QCOMPARE(w.state(), RunState::Stopped);
        QCOMPARE(w.lastRun->captures, (CaptureSlots{150, 250, 350, 450}));
    }

    // A barrier event that happened before a hand start, but reached the main
    // thread only after it, is no time of that run.
    void lineEventBeforeAHandStartIsIgnored()
    {
        storePortSettings(0, 0);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        g_tick = 1000;
        const int before = w.lineEvents;
        const int wakeUps = fakeserial::wakeUps();
        fakeserial::setLines(TIOCM_CD);
        // Stamped by the monitor, not yet handled.
        QVERIFY(fakeserial::waitForWakeUp(wakeUps + 1, 2000));
        g_tick = 1100;
        w.action("mStart")->trigger();
        QVERIFY(QTest::qWaitFor([&] { return w.lineEvents > before; }, 2000));
        QCOMPARE(w.captures(), (CaptureSlots{0, 0, 0, 0}));
        QCOMPARE(w.child<QLabel>("LabelTypeSpeed")->isVisible(), false);

        QVERIFY(w.lines(0, 1200));
        QVERIFY(w.lines(TIOCM_CD, 1300));
        g_tick = 2100;
        w.key(Qt::Key_F9);
        QCOMPARE(w.lastRun->captures, (CaptureSlots{200, 0, 0, 1000}));
    }

    // The adapter is pulled out during a run: the window says so at once, the
    // run goes on and is stopped by hand; plugged in again, the port is back
    // by itself and the barriers count again.
    void aPulledAdapterIsToldAndFoundAgain()
    {
        storePortSettings(0, 0);
        Window w;
        QVERIFY(w.show());
        QVERIFY(watching(w));
        auto *notice = w.child<QLabel>("LabelPortNotice");
        QVERIFY(notice->isHidden());
        w.key(Qt::Key_F5);

        fakeserial::unplug();
        QTRY_VERIFY(notice->isVisible());
        QCOMPARE(notice->text().section(u'\n', 0, 0), u"Schranken getrennt \u2014 COM1"_s);
        QVERIFY(!w.form->comPort()->connected());
        QVERIFY(!w.lock("ImageLSstart")->isVisible());
        QVERIFY(!w.lock("ImageLSstop")->isVisible());
        QVERIFY(!fakeserial::isOpen());
        QVERIFY(!QApplication::activeModalWidget()); // told, not asked
        QCOMPARE(w.state(), RunState::Running);
        g_tick = 5000;
        w.key(Qt::Key_F9);
        QCOMPARE(w.state(), RunState::Stopped);
        QCOMPARE(w.lastRun->finalTime, 4000);

        fakeserial::attach(m_com1.constData());
        QTRY_VERIFY_WITH_TIMEOUT(w.form->comPort()->connected(), 3000);
        QVERIFY(notice->isHidden());
        QVERIFY(w.lock("ImageLSstart")->isVisible());
        QVERIFY(watching(w));
        w.key(Qt::Key_F7);
        w.key(Qt::Key_F11);
        QVERIFY(w.lines(TIOCM_DSR, 6000));
        QCOMPARE(w.state(), RunState::Running);
    }

    // Why the port is not open, where the lock icons are missing; a refused or
    // missing port is opened by itself once it can be.
    void portNoticeSaysWhyThePortIsClosed_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("openError");
        QTest::addColumn<int>("vanishAt"); // the request the adapter is pulled out at; 0: never
        QTest::addColumn<QString>("notice");
        const QString refused = u"Keine Berechtigung f\u00FCr "_s + m_devDir.filePath(u"ttyS0"_s) +
                                u" \u2014 Benutzer zur Gruppe dialout hinzuf\u00FCgen und neu "
                                u"anmelden"_s;
        const QString missing = u"Schranken nicht gefunden \u2014 COM%1\nAdapter einstecken; "
                                u"Tavrin verbindet sich von selbst."_s;
        QTest::newRow("EACCES") << 1 << EACCES << 0 << refused;
        QTest::newRow("EPERM") << 1 << EPERM << 0 << refused;
        QTest::newRow("missing") << 5 << 0 << 0 << missing.arg(5);
        // Requests 1 and 2 belong to the port search, 3 to opening, 4 and 5 to the set-up.
        QTest::newRow("pulled out during the port search") << 1 << 0 << 1 << missing.arg(1);
        QTest::newRow("pulled out during the set-up") << 1 << 0 << 5 << missing.arg(1);
        QTest::newRow("busy: nothing said, as before") << 1 << EBUSY << 0 << QString();
        QTest::newRow("open") << 1 << 0 << 0 << QString();
        QTest::newRow("no port") << 0 << 0 << 0 << QString();
    }

    void portNoticeSaysWhyThePortIsClosed()
    {
        QFETCH(int, port);
        QFETCH(int, openError);
        QFETCH(int, vanishAt);
        QFETCH(QString, notice);
        Settings settings;
        settings.Port = quint8(port);
        storeSettings(settings);
        fakeserial::failOpen(openError);
        fakeserial::unplugAtIoctl(vanishAt);
        Window w;
        QVERIFY(w.show());
        auto *label = w.child<QLabel>("LabelPortNotice");
        QCOMPARE(label->isVisible(), !notice.isEmpty());
        QCOMPARE(label->text(), notice);
        const bool open = port == 1 && openError == 0 && vanishAt == 0;
        QCOMPARE(w.form->comPort()->connected(), open);
        QCOMPARE(w.lock("ImageLSstart")->isVisible(), open);
        if (notice.isEmpty())
            return;
        // The fault mended: the port opens within about a second.
        fakeserial::failOpen(0);
        if (port == 5)
            fakeserial::attach(QFile::encodeName(m_devDir.filePath(u"ttyUSB0"_s)).constData());
        else if (vanishAt != 0)
            fakeserial::attach(m_com1.constData());
        QTRY_VERIFY_WITH_TIMEOUT(w.form->comPort()->connected(), 3000);
        QVERIFY(label->isHidden());
        QVERIFY(w.lock("ImageLSstart")->isVisible());
    }

    // RTS feeds the second intermediate and the finish: it is held on without
    // the RTS handshake, which would drop it once input piled up, and nothing
    // received is kept.
    void barrierFeedStaysOnWithoutHandshake()
    {
        storePortSettings(0, 0);
        Window w;
        QVERIFY(watching(w));
        const fakeserial::Termios setup = fakeserial::lastSetup();
        QCOMPARE(setup.cflag & CRTSCTS, 0u);
        QCOMPARE(setup.cflag & CREAD, 0u);
        QCOMPARE(fakeserial::lines() & (TIOCM_DTR | TIOCM_RTS), TIOCM_DTR | TIOCM_RTS);
    }

    void settingsAreLoadedBeforeThePortOpensAndSavedAtTheEnd()
    {
        Settings stored;
        stored.Port = 1;
        stored.Alg = 1;
        stored.WaitStart = 350;
        stored.Height = 596; // within the 800 x 600 test screen
        stored.Length2 = 7;
        storeSettings(stored);
        {
            Window w;
            QVERIFY(w.form->comPort()->connected()); // the stored port, opened
            QCOMPARE(w.form->comPort()->port(), 1);
            QVERIFY(w.lock("ImageLSstop")->isVisibleTo(w.form.get()));
            QCOMPARE(w.lockout()->interval(), 350);
            QCOMPARE(w.form->settings().Alg, 1);
            QCOMPARE(w.form->height(), 596);
            QVERIFY(w.form->probedPorts() & 1);
            w.lockout()->setInterval(123);
            w.form->settings().Length2 = 8;
        }
        QVERIFY(!fakeserial::isOpen());
        const Settings saved = loadSettings(openSettingsStore(programTitle()), 1);
        QCOMPARE(saved.Port, 1);
        QCOMPARE(saved.WaitStart, 123);
        QCOMPARE(saved.Length2, 8);
        QCOMPARE(saved.Height, 596);
    }

    void unusableStoredValuesAreReplaced()
    {
        // Typed by hand into the settings file, as a coach might.
        const QString file = openSettingsStore(programTitle()).location();
        QDir().mkpath(QFileInfo(file).path());
        QFile ini(file);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[General]\nLeft=0\nTop=0\nWidth=100000\nHeight=100000\nSound=true\n"
                  "Port=1\nAlg=5\nFilterInd=1\nLength=40\nMonitor=0\nTitle=Halle\n"
                  "Length2=7\nLength3=12\nLength4=18\nWaitStart=0\n");
        ini.close();
        QRect desktop;
        for (const QScreen *screen : QGuiApplication::screens())
            desktop |= screen->availableGeometry();
        const auto fits = [&desktop](int width, int height) {
            return width <= std::max(desktop.width(), 800) &&
                   height <= std::max(desktop.height(), 590);
        };
        {
            Window w;
            QVERIFY(w.show());
            QVERIFY(watching(w));
            QVERIFY2(fits(w.form->width(), w.form->height()),
                     qPrintable(u"%1 x %2"_s.arg(w.form->width()).arg(w.form->height())));
            // Read on past the word "true", so port and distances count.
            QVERIFY(w.form->settings().Sound);
            QCOMPARE(w.form->comPort()->port(), 1);
            QCOMPARE(w.form->settings().Length2, 7);
            QCOMPARE(w.lockout()->interval(), 0);
            // A mode without an entry is the default, so the barriers act.
            QCOMPARE(w.form->settings().Alg, 0);
            w.key(Qt::Key_F11);
            QVERIFY(w.lines(TIOCM_DSR, 2000));
            QCOMPARE(w.state(), RunState::Running);
            g_tick = 3000;
            w.key(Qt::Key_F9);
        }
        const Settings saved = loadSettings(openSettingsStore(programTitle()), 1);
        QVERIFY(fits(saved.Width, saved.Height));
        QCOMPARE(saved.Alg, 0);
        QCOMPARE(saved.Length4, 18);
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
