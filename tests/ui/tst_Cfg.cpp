#include "controls/Comms.h"
#include "controls/FlEdit.h"
#include "controls/SortGrid.h"
#include "platform/UserStore.h"
#include "protocol/ProtocolTables.h"
#include "settings/ProgramTitle.h"
#include "settings/Settings.h"
#include "ui/Cfg.h"
#include "ui/FMain.h"
#include "ui/FMonitor2.h"
#include "ui/FSxema.h"

#include "FakeSerial.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

// Run with "--screens 2" for two pretend monitors; one otherwise.
static const char kTwoScreens[] = R"({"screens":[
  {"name":"Hall","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},
  {"name":"Projector","x":1920,"y":0,"width":1024,"height":768,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})";

namespace {

bool twoScreens()
{
    return QGuiApplication::screens().size() == 2;
}

// The main window with its settings dialog and second monitor, as the program
// sets them up, and handles on the dialog's controls.
struct Window
{
    std::unique_ptr<TFormMain> form = std::make_unique<TFormMain>();
    TCfgDialog *dialog = new TCfgDialog(form->probedPorts(), form.get());
    TFormMonitor2 *monitor = new TFormMonitor2(u"Titel"_s, form->settings().Monitor, form.get());
    int closings = 0;
    int openings = 0;

    Window()
    {
        form->setCfgDialog(dialog);
        form->setMonitorWindow(monitor);
        QObject::connect(form->comPort(), &TComPort::closed, form.get(), [this] { ++closings; });
        QObject::connect(form->comPort(), &TComPort::opened, form.get(), [this] { ++openings; });
    }

    template <typename T> T *child(const char *name) const
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }
    QComboBox *list(const char *name) const { return child<QComboBox>(name); }
    QSpinBox *distance(const char *name) const { return child<QSpinBox>(name); }
    TSpinFloatEdit *seWait() const { return child<TSpinFloatEdit>("seWait"); }
    QTimer *lockout() const { return form->findChild<QTimer *>(u"TimerGesperrtStop"_s); }
    QTimer *reopen() const { return form->findChild<QTimer *>(u"PortReopen"_s); }
    QWidget *displaySide() const { return form->findChild<QWidget *>(u"PanelLeft"_s); }
    void click(const char *button) const
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }

    bool show()
    {
        form->show();
        return QTest::qWaitForWindowActive(form.get());
    }

    // Opens the dialog the way `open` does (bCFGClick by default) and operates
    // it from inside its loop. A dialog left open is cancelled, so a fault
    // fails the test instead of hanging it. False when it never came up.
    bool configure(const std::function<void()> &operate, const std::function<void()> &open = {})
    {
        bool operated = false;
        QTimer::singleShot(0, dialog, [&] {
            if (QTest::qWaitForWindowActive(dialog)) {
                operate();
                operated = true;
            }
            if (dialog->isVisible())
                dialog->reject();
        });
        if (open)
            open();
        else
            form->bCFGClick();
        return operated;
    }
};

} // namespace

class tst_Cfg : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_devDir;
    QTemporaryDir m_configHome;

    static void storeSettings(const Settings &settings)
    {
        platform::UserStore store = openSettingsStore(programTitle());
        QVERIFY(saveSettings(store, settings));
    }

    // Settings with COM3, the fake device, open at start.
    static Settings com3Settings()
    {
        Settings settings;
        settings.Port = 3;
        settings.Alg = 0;
        settings.WaitStart = 250;
        settings.Length2 = 6;
        settings.Length3 = 11;
        settings.Length4 = 17;
        settings.Length = 40;
        settings.Monitor = twoScreens() ? 1 : 0;
        return settings;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_devDir.isValid() && m_configHome.isValid());
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(m_devDir.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
        // The lockout field's separator is the locale's: German, as on the track.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }

    void init()
    {
        QFile::remove(openSettingsStore(programTitle()).location());
        fakeserial::attach(QFile::encodeName(m_devDir.filePath(u"ttyS2"_s)).constData());
        storeSettings(com3Settings());
    }

    void dialogIsFilledFromTheSettings()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.form->comPort()->connected());
        QCOMPARE(w.dialog->windowTitle(), u"Einstellungen"_s);
        QCOMPARE(w.dialog->size(), QSize(479, 287));
        QVERIFY(w.configure([&] {
            QCOMPARE(w.list("cbPort")->currentText(), u"COM3"_s);
            QVERIFY(w.list("cbAlg")->isEnabled());
            QCOMPARE(w.list("cbAlg")->currentText(), u"Ein"_s);
            QCOMPARE(w.seWait()->text(), u"0,25"_s);
            QCOMPARE(w.distance("se2")->value(), 6);
            QCOMPARE(w.distance("se3")->value(), 11);
            QCOMPARE(w.distance("se4")->value(), 17);
            QCOMPARE(w.distance("sfLen")->value(), 40);
            QCOMPARE(w.dialog->focusWidget(), w.child<QPushButton>("OKBtn"));
            QCOMPARE(w.child<QLabel>("Label2")->text(), u"Streckenl\u00E4nge:"_s);
        }));
    }

    void cancelChangesNothing()
    {
        Window w;
        QVERIFY(w.show());
        const Settings before = w.form->settings();
        QVERIFY(w.configure([&] {
            w.list("cbPort")->setCurrentIndex(0);
            w.list("cbAlg")->setCurrentIndex(1);
            w.seWait()->setValue(3);
            w.distance("se2")->setValue(99);
            w.distance("sfLen")->setValue(77);
            w.click("CancelBtn");
        }));
        QVERIFY(!w.dialog->isVisible());
        QCOMPARE(w.form->settings(), before);
        QCOMPARE(w.lockout()->interval(), 250);
        QVERIFY(w.form->comPort()->connected());
        QCOMPARE(w.form->comPort()->port(), 3);
        QCOMPARE(w.closings, 0);
        QVERIFY(!w.reopen()->isActive());
        QTRY_COMPARE(QApplication::focusWidget(), w.displaySide());

        // Escape cancels too.
        QVERIFY(w.configure([&] {
            w.distance("se3")->setValue(55);
            QTest::keyClick(w.dialog, Qt::Key_Escape);
            QVERIFY(!w.dialog->isVisible());
        }));
        QCOMPARE(w.form->settings(), before);
        QCOMPARE(w.closings, 0);
    }

    void noPortDisablesWhatNeedsThePort()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.configure([&] {
            const auto enabled = [&](const char *name) {
                return w.child<QWidget>(name)->isEnabled();
            };
            w.list("cbPort")->setCurrentIndex(0);
            for (const char *name : {"cbAlg", "seWait", "se2", "se3", "se4"})
                QVERIFY2(!enabled(name), name);
            QVERIFY(enabled("sfLen"));
            QCOMPARE(enabled("cbMonitor"), twoScreens());
            QCOMPARE(enabled("LabMonitor"), twoScreens());
            w.list("cbPort")->setCurrentText(u"COM3"_s);
            for (const char *name : {"cbAlg", "seWait", "se2", "se3", "se4", "sfLen"})
                QVERIFY2(enabled(name), name);
        }));
    }

    void lockoutTakesTheSecondsInMilliseconds_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("interval");
        QTest::newRow("0,2") << u"0,2"_s << 200;
        QTest::newRow("0 switches it off") << u"0"_s << 0;
        QTest::newRow("600") << u"600"_s << 600000;
        // A point reads as the decimal comma too; dropped, it made 3 seconds.
        QTest::newRow("0.3") << u"0.3"_s << 300;
        QTest::newRow(".25") << u".25"_s << 250;
    }
    void lockoutTakesTheSecondsInMilliseconds()
    {
        QFETCH(QString, typed);
        QFETCH(int, interval);
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.configure([&] {
            w.seWait()->setFocus();
            w.seWait()->selectAll();
            QTest::keyClicks(w.seWait(), typed);
            QTest::keyClick(w.seWait(), Qt::Key_Return); // the default button: OK
        }));
        QCOMPARE(w.lockout()->interval(), interval);
    }

    void okRestartsThePortAfterAPauseWithoutFreezing()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.form->comPort()->connected());
        QElapsedTimer sinceOk;
        qint64 closedAt = -1;
        qint64 openedAt = -1;
        qint64 eventLoopRanAt = -1;
        QObject::connect(w.form->comPort(), &TComPort::closed, w.form.get(),
                         [&] { closedAt = sinceOk.elapsed(); });
        QObject::connect(w.form->comPort(), &TComPort::opened, w.form.get(),
                         [&] { openedAt = sinceOk.elapsed(); });
        QVERIFY(w.configure([&] {
            w.list("cbAlg")->setCurrentIndex(1);
            sinceOk.start();
            w.click("OKBtn");
        }));
        // Back from the dialog at once, with the port closed and its reopening due.
        QCOMPARE(w.closings, 1);
        QVERIFY(!w.form->comPort()->connected());
        QVERIFY(w.reopen()->isActive());
        QTimer::singleShot(10, w.form.get(), [&] { eventLoopRanAt = sinceOk.elapsed(); });
        QTRY_VERIFY(w.form->comPort()->connected());
        QCOMPARE(w.openings, 1);
        QCOMPARE(w.form->comPort()->port(), 3);
        QCOMPARE(w.form->settings().Alg, 1);
        QVERIFY(fakeserial::isOpen());
        QVERIFY2(openedAt - closedAt >= 200, qPrintable(QString::number(openedAt - closedAt)));
        QVERIFY(eventLoopRanAt >= 0 && eventLoopRanAt < openedAt);
        QCOMPARE(QApplication::focusWidget(), w.displaySide());
    }

    void failingReopenIsSwallowedAndKeepsTheNumber()
    {
        Window w;
        QVERIFY(w.show());
        fakeserial::failOpen(EBUSY);
        QVERIFY(w.configure([&] { w.click("OKBtn"); }));
        QTRY_VERIFY(!w.reopen()->isActive());
        QVERIFY(!w.form->comPort()->connected());
        QCOMPARE(w.form->comPort()->port(), 3);
        QCOMPARE(w.openings, 0);
    }

    void noPortForgetsThePortButKeepsTheMode()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.configure([&] {
            w.list("cbPort")->setCurrentIndex(0);
            w.list("cbAlg")->setCurrentIndex(1); // "Aus", but without a port
            w.click("OKBtn");
        }));
        QVERIFY(!w.form->comPort()->connected());
        QCOMPARE(w.form->comPort()->port(), 0);
        QCOMPARE(w.form->settings().Alg, 0);
        QVERIFY(!w.reopen()->isActive());
        QTest::qWait(250);
        QVERIFY(!fakeserial::isOpen());

        // The next opening shows "Kein", since port 0 has no entry.
        QVERIFY(w.configure([&] {
            QCOMPARE(w.list("cbPort")->currentText(), u"Kein"_s);
            QVERIFY(!w.list("cbAlg")->isEnabled());
        }));
    }

    void distancesAreTakenAndNameTheSplitColumns()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.configure([&] {
            w.distance("se2")->setValue(7);
            w.distance("se3")->setValue(12);
            w.distance("se4")->setValue(3000); // beyond its maximum: the maximum
            w.distance("sfLen")->setValue(60);
            w.click("OKBtn");
        }));
        const Settings &s = w.form->settings();
        QCOMPARE(s.Length2, 7);
        QCOMPARE(s.Length3, 12);
        QCOMPARE(s.Length4, 1000);
        QCOMPARE(s.Length, 60);

        // Three characters typed at most; a value set from outside shows in full.
        QVERIFY(w.configure([&] {
            QCOMPARE(w.distance("se4")->text(), u"1000"_s);
            QSpinBox *se2 = w.distance("se2");
            se2->setFocus();
            se2->selectAll();
            QTest::keyClicks(se2, u"1234"_s);
            QCOMPARE(se2->text(), u"123"_s);
            QTest::keyClick(se2, Qt::Key_Return);
        }));
        QCOMPARE(s.Length2, 123);
        QCOMPARE(s.Length4, 1000);
        // The header names the distances; it is rewritten on every "OK".
        QStringList header;
        for (int col = 0; col < 4; ++col)
            header << w.form->protocolTables()->SortGridRes->cells(col, 0);
        QCOMPARE(header, QStringList({u"123 m"_s, u"12 m"_s, u"1000 m"_s, u"60 m"_s}));
    }

    void distanceBelowItsMinimumTakesTheMinimum_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("leaveFirst");
        QTest::addColumn<int>("taken");
        QTest::newRow("se2 0, left") << u"se2"_s << u"0"_s << true << 1;
        QTest::newRow("se2 0, OK at once") << u"se2"_s << u"0"_s << false << 1;
        QTest::newRow("se4 1, left") << u"se4"_s << u"1"_s << true << 2;
        QTest::newRow("se4 1, OK at once") << u"se4"_s << u"1"_s << false << 2;
        QTest::newRow("sfLen 3, left") << u"sfLen"_s << u"3"_s << true << 5;
        QTest::newRow("sfLen 3, OK at once") << u"sfLen"_s << u"3"_s << false << 5;
        QTest::newRow("se3 in range") << u"se3"_s << u"7"_s << true << 7;
    }

    void distanceBelowItsMinimumTakesTheMinimum()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, leaveFirst);
        QFETCH(int, taken);
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.configure([&] {
            // Leaving a field needs the focus, which comes after the showing.
            QTRY_VERIFY(w.dialog->isActiveWindow());
            QSpinBox *box = w.distance(qPrintable(field));
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, typed);
            if (leaveFirst) {
                w.seWait()->setFocus();
                QCOMPARE(box->value(), taken);
                QCOMPARE(box->text(), QString::number(taken));
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // OK
        }));
        const Settings &s = w.form->settings();
        const int stored = field == u"se2"_s   ? s.Length2
                           : field == u"se3"_s ? s.Length3
                           : field == u"se4"_s ? s.Length4
                                               : s.Length;
        QCOMPARE(stored, taken);
    }

    void textThatIsNoNumber()
    {
        Window w;
        QVERIFY(w.show());
        QString message;
        QVERIFY(w.configure([&] {
            // Typed away, but not yet left: the texts are as the operator left them.
            w.distance("se2")->findChild<QLineEdit *>()->setText(QString());
            w.distance("se3")->setValue(13);
            w.distance("sfLen")->findChild<QLineEdit *>()->setText(QString());
            w.seWait()->setValue(1);
            w.list("cbPort")->setCurrentIndex(0);
            // The box comes after the dialog has closed: answer it when it shows.
            auto *poll = new QTimer(w.form.get());
            QObject::connect(poll, &QTimer::timeout, poll, [&message, poll] {
                if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                    message = box->text();
                    box->accept();
                    poll->deleteLater();
                }
            });
            poll->start(10);
            w.dialog->accept();
        }));
        QCOMPARE(w.form->settings().Length, 40);
        QCOMPARE(message, u"'' ist kein g\u00FCltiger Integerwert"_s);
        // The intermediate distances are taken (an empty one as its minimum) ...
        QCOMPARE(w.form->settings().Length2, 1);
        QCOMPARE(w.form->settings().Length3, 13);
        // ... and nothing after the length.
        QCOMPARE(w.form->settings().Length, 40);
        QCOMPARE(w.lockout()->interval(), 250);
        QVERIFY(w.form->comPort()->connected());
        QCOMPARE(w.closings, 0);
        QTRY_COMPARE(QApplication::focusWidget(), w.displaySide());
    }

    void portListShowsTheProbedPorts()
    {
        // COM1, COM3 and COM12 present.
        TCfgDialog dialog(1u | 1u << 2 | 1u << 11 | 12u << 16);
        auto *cbPort = dialog.findChild<QComboBox *>(u"cbPort"_s);
        QCOMPARE(cbPort->count(), 4);
        QCOMPARE(cbPort->itemText(3), u"COM12"_s);
        QCOMPARE(cbPort->itemData(3, Qt::ToolTipRole).toString(), m_devDir.filePath(u"ttyUSB7"_s));
        QCOMPARE(cbPort->maxVisibleItems(), 20);

        Settings settings;
        dialog.fill(settings, 12, 200);
        QCOMPARE(cbPort->currentText(), u"COM12"_s);
        QCOMPARE(dialog.chosenPort(), 12);
        // A port not found is still the chosen one: listed in its place.
        dialog.fill(settings, 2, 200);
        QCOMPARE(cbPort->currentText(), u"COM2"_s);
        QCOMPARE(dialog.chosenPort(), 2);
        QStringList entries;
        for (int i = 0; i < cbPort->count(); ++i)
            entries << cbPort->itemText(i);
        QCOMPARE(entries, (QStringList{u"Kein"_s, u"COM1"_s, u"COM2"_s, u"COM3"_s, u"COM12"_s}));
        QVERIFY(cbPort->itemData(2, Qt::ToolTipRole).toString().endsWith(u"/ttyS1"_s));
        dialog.fill(settings, 0, 200);
        QCOMPARE(cbPort->currentText(), u"Kein"_s);
        // A new search replaces the list.
        dialog.setProbedPorts(1u << 4 | 5u << 16);
        QCOMPARE(cbPort->count(), 2);
        QCOMPARE(cbPort->itemText(1), u"COM5"_s);
    }

    // The adapter was not plugged in at start: changing only a distance and
    // pressing "OK" keeps its port, and it is opened once it is plugged in.
    void okKeepsAPortThatIsMissing()
    {
        fakeserial::detach();
        Window w;
        QVERIFY(w.show());
        QVERIFY(!w.form->comPort()->connected());
        QVERIFY(w.configure([&] {
            QCOMPARE(w.list("cbPort")->currentText(), u"COM3"_s);
            QVERIFY(w.list("cbAlg")->isEnabled());
            w.distance("se3")->setValue(12);
            w.click("OKBtn");
        }));
        QCOMPARE(w.form->comPort()->port(), 3);
        QCOMPARE(w.form->settings().Length3, 12);
        fakeserial::attach(QFile::encodeName(m_devDir.filePath(u"ttyS2"_s)).constData());
        QTRY_VERIFY_WITH_TIMEOUT(w.form->comPort()->connected(), 3000);
        w.form.reset();
        QCOMPARE(loadSettings(openSettingsStore(programTitle()), 1).Port, 3);
    }

    // The adapter fails just as "OK" restarts the port: the window still
    // says so, and the port comes back with the adapter.
    void failureWhileOkRestartsThePortIsTold()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.form->comPort()->connected());
        auto *notice = w.form->findChild<QLabel *>(u"LabelPortNotice"_s);
        QVERIFY(w.configure([&] {
            fakeserial::unplug();
            w.click("OKBtn");
        }));
        QTRY_VERIFY(notice->isVisible());
        QVERIFY(!w.form->comPort()->connected());
        QTRY_COMPARE(notice->text().section(u'\n', 0, 0),
                     u"Schranken nicht gefunden \u2014 COM3"_s);
        fakeserial::attach(QFile::encodeName(m_devDir.filePath(u"ttyS2"_s)).constData());
        QTRY_VERIFY_WITH_TIMEOUT(w.form->comPort()->connected(), 3000);
        QVERIFY(notice->isHidden());
    }

    // The port list is searched each time the dialog opens: an adapter
    // plugged in after the start is listed, and so is the open port.
    void dialogSearchesThePortsEachTime()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.form->comPort()->connected());
        const auto entries = [&] {
            QStringList texts;
            for (int i = 0; i < w.list("cbPort")->count(); ++i)
                texts << w.list("cbPort")->itemText(i);
            return texts;
        };
        QVERIFY(w.configure([&] { QCOMPARE(entries(), (QStringList{u"Kein"_s, u"COM3"_s})); }));
        // A character device that opens exclusively, like a port plugged in.
        const QString com1 = m_devDir.filePath(u"ttyS0"_s);
        QVERIFY(QFile::link(u"/dev/ptmx"_s, com1));
        const auto unplug = qScopeGuard([&] { QFile::remove(com1); });
        QVERIFY(w.configure([&] {
            QCOMPARE(entries(), (QStringList{u"Kein"_s, u"COM1"_s, u"COM3"_s}));
        }));
    }

    // An adapter chosen as COM5 is remembered by its stable name and found
    // by it after it came back as another device; it stays COM5.
    void chosenAdapterKeepsItsNumber()
    {
        const QString name = u"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"_s;
        QVERIFY(QDir(m_devDir.path()).mkpath(u"serial/by-id"_s));
        const QString link = m_devDir.filePath(u"serial/by-id/"_s + name);
        const auto plugInAs = [&](const QString &device) {
            QFile::remove(link);
            QVERIFY(QFile::link(u"../../"_s + device, link));
            fakeserial::attach(QFile::encodeName(m_devDir.filePath(device)).constData());
        };
        const auto removeLink = qScopeGuard([&] { QFile::remove(link); });
        plugInAs(u"ttyUSB0"_s);
        {
            Window w;
            QVERIFY(w.show());
            QVERIFY(w.configure([&] {
                w.list("cbPort")->setCurrentText(u"COM5"_s);
                w.click("OKBtn");
            }));
            QTRY_VERIFY(w.form->comPort()->connected());
            QCOMPARE(w.form->comPort()->stableName(), name);
        }
        Settings saved = loadSettings(openSettingsStore(programTitle()), 1);
        QCOMPARE(saved.Port, 5);
        QCOMPARE(saved.PortId, name);

        plugInAs(u"ttyUSB1"_s);
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.form->comPort()->connected());
        QCOMPARE(w.form->comPort()->deviceName(), m_devDir.filePath(u"ttyUSB1"_s));
        QVERIFY(w.configure([&] {
            QCOMPARE(w.list("cbPort")->currentText(), u"COM5"_s);
            QCOMPARE(w.list("cbPort")->findText(u"COM6"_s), -1);
            w.click("OKBtn");
        }));
        QTRY_VERIFY(w.form->comPort()->connected());
        QCOMPARE(w.form->comPort()->stableName(), name);
        // "Kein": no adapter, no name.
        QVERIFY(w.configure([&] {
            w.list("cbPort")->setCurrentIndex(0);
            w.click("OKBtn");
        }));
        QCOMPARE(w.form->comPort()->stableName(), QString());
    }

    void monitorListNamesTheMonitors()
    {
        Window w;
        QVERIFY(w.show());
        QVERIFY(w.configure([&] {
            QComboBox *cbMonitor = w.list("cbMonitor");
            if (twoScreens()) {
                QCOMPARE(cbMonitor->count(), 2);
                QCOMPARE(cbMonitor->itemText(0), u"0=(0,0)-(1920,1080)"_s);
                QCOMPARE(cbMonitor->itemText(1), u"1=(1920,0)-(1024,768)"_s);
                QCOMPARE(cbMonitor->currentIndex(), 1); // "Monitor" = 1
                cbMonitor->setCurrentIndex(0);
            } else {
                QCOMPARE(cbMonitor->count(), 1);
                QCOMPARE(cbMonitor->currentText(), u"Kein"_s);
                QVERIFY(!cbMonitor->isEnabled());
            }
            w.click("OKBtn");
        }));
        QCOMPARE(w.form->settings().Monitor, 0);
        QCOMPARE(w.monitor->monitor(), 0);
        QCOMPARE(w.monitor->geometry(), QGuiApplication::screens().at(0)->geometry());
    }

    void f2OpensTheDialogAndSchemaTheDiagram()
    {
        Window w;
        TFormSxema diagram(w.form.get());
        w.dialog->setSxemaWindow(&diagram);
        QVERIFY(w.show());
        bool diagramShown = false;
        QVERIFY(w.configure(
            [&] {
                QTimer::singleShot(0, &diagram, [&] {
                    diagramShown = QTest::qWaitForWindowActive(&diagram);
                    // A key the settings dialog would take closes only the diagram.
                    QTest::keyClick(&diagram, Qt::Key_Escape);
                });
                w.click("Button1");
                QVERIFY(diagramShown);
                QVERIFY(!diagram.isVisible());
                QVERIFY(w.dialog->isVisible());
            },
            [&] { QTest::keyClick(w.form.get(), Qt::Key_F2); }));
        // So does the header's tool-box button.
        QVERIFY(w.configure(
            [] {},
            [&] { QTest::mouseClick(w.form->findChild<QWidget *>(u"bCFG"_s), Qt::LeftButton); }));
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const qsizetype at = arguments.indexOf(u"--screens"_s); at > 0) {
        if (arguments.value(at + 1) == u"2"_s) {
            const QString config = dir.filePath(u"screens.json"_s);
            QFile file(config);
            if (!file.open(QIODevice::WriteOnly) || file.write(kTwoScreens) < 0)
                return 1;
            file.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
        }
        arguments.remove(at, 2);
    }
    QApplication app(argc, argv);
    tst_Cfg test;
    return QTest::qExec(&test, arguments);
}

#include "tst_Cfg.moc"
