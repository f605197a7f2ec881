// The main window on the first monitor and the second-monitor display on the
// second, drawn by the window system: offscreen on two pretend screens, and on
// a real X server with two RandR monitors (tools/with-two-monitors.sh).
#include "platform/UserStore.h"
#include "settings/ProgramTitle.h"
#include "settings/Settings.h"
#include "ui/FMain.h"
#include "ui/FMonitor2.h"
#include "ui/FontSubstitutes.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Two monitors side by side as the Xorg recipe sets them up.
const char kScreens[] = R"({"screens":[
  {"name":"DUMMY0","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},
  {"name":"DUMMY1","x":1920,"y":0,"width":1024,"height":768,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})";

struct Colours
{
    int yellow = 0; // lit digits of seconds and hundredths, and their comma
    int lime = 0;   // the start-number and split captions
    int white = 0;  // the title
    int black = 0;
    int pixels = 0;
};

Colours count(const QImage &image)
{
    Colours c;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); y += 2) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); x += 2) {
            const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            ++c.pixels;
            if (r > 200 && g > 200 && b < 80)
                ++c.yellow;
            else if (r < 80 && g > 200 && b < 80)
                ++c.lime;
            else if (r > 200 && g > 200 && b > 200)
                ++c.white;
            else if (r < 16 && g < 16 && b < 16)
                ++c.black;
        }
    }
    return c;
}

} // namespace

class tst_TwoMonitors : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

private Q_SLOTS:
    void initTestCase()
    {
        installFontSubstitutes();
        if (QGuiApplication::screens().size() < 2)
            QSKIP("needs two monitors");
        QVERIFY(m_home.isValid());
        // No serial device is ever looked at, and the settings are this test's.
        qputenv("TAVRIN_DEV_DIR", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    }

    void tvPaintsOnTheSecondMonitor()
    {
        const QList<QScreen *> screens = QGuiApplication::screens();
        Settings stored;
        stored.Left = screens[0]->availableGeometry().left() + 40;
        stored.Top = screens[0]->availableGeometry().top() + 40;
        stored.Monitor = 1;
        platform::UserStore store = openSettingsStore(programTitle());
        QVERIFY(saveSettings(store, stored));

        TFormMain form;
        auto *tv = new TFormMonitor2(u"Sprint Halle"_s, form.settings().Monitor, &form);
        form.setMonitorWindow(tv);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Modus1Click();
        QVERIFY(tv->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(tv));
        form.ShowTime(DisplayRow::Upper, 62340);
        form.ShowTime(DisplayRow::Lower, 10230);

        QCOMPARE(form.screen(), screens[0]);
        QCOMPARE(tv->screen(), screens[1]);
        QCOMPARE(tv->geometry(), screens[1]->geometry());
        QVERIFY(!tv->geometry().intersects(form.frameGeometry()));

        // What the monitor shows, as the window system holds it: black, yellow
        // digits, the lime captions and the white title, all over its area.
        Colours seen;
        QTRY_VERIFY_WITH_TIMEOUT((seen = count(tv->screen()->grabWindow(tv->winId()).toImage()),
                                  seen.yellow > seen.pixels / 50),
                                 5000);
        QVERIFY2(seen.black > seen.pixels / 2, qPrintable(QString::number(seen.black)));
        QVERIFY(seen.lime > 0);
        QVERIFY(seen.white > 0);

        // The first monitor shows the main window, not a black display.
        const Colours first = count(form.screen()->grabWindow(form.winId()).toImage());
        QVERIFY(first.pixels > 0);
        QVERIFY(first.black < first.pixels / 2);

        const QByteArray shot = qgetenv("TAVRIN_SCREENSHOT");
        if (!shot.isEmpty()) {
            const QRect desktop = screens[0]->virtualGeometry();
            QVERIFY(screens[0]
                        ->grabWindow(0, desktop.x(), desktop.y(), desktop.width(), desktop.height())
                        .save(QFile::decodeName(shot)));
        }
    }
};

int main(int argc, char *argv[])
{
    // Offscreen, two pretend monitors; on a real window system its own.
    QTemporaryDir dir;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        const QString config = dir.filePath(u"screens.json"_s);
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly) || file.write(kScreens) < 0)
            return 1;
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    }
    QApplication app(argc, argv);
    tst_TwoMonitors test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_TwoMonitors.moc"
