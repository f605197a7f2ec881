#include "controls/Udigit.h"
#include "ui/DigitRows.h"
#include "ui/FMonitor2.h"
#include "ui/FontSubstitutes.h"
#include "ui/Monitor2Layout.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Two monitors side by side: 1920 x 1080 first, 1024 x 768 to its right.
static const char kScreens[] = R"({"screens":[
  {"name":"Hall","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1},
  {"name":"Projector","x":1920,"y":0,"width":1024,"height":768,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})";

namespace {

const QRect kHall(0, 0, 1920, 1080);
const QRect kProjector(1920, 0, 1024, 768);

PlacedDigit placedDigit(const Monitor2Layout &layout, const QString &name)
{
    for (const PlacedDigit &digit : layout.digits) {
        if (digit.name == name)
            return digit;
    }
    return {};
}

PlacedSeparator placedSeparator(const Monitor2Layout &layout, const QString &name)
{
    for (const PlacedSeparator &separator : layout.separators) {
        if (separator.name == name)
            return separator;
    }
    return {};
}

TDigit *digit(const TFormMonitor2 &window, const char *name)
{
    return window.findChild<TDigit *>(QLatin1String(name));
}

QLabel *label(const TFormMonitor2 &window, const char *name)
{
    return window.findChild<QLabel *>(QLatin1String(name));
}

QColor fontColor(const TFormMonitor2 &window, const char *name)
{
    return label(window, name)->palette().color(QPalette::WindowText);
}

} // namespace

class TestFMonitor2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        installFontSubstitutes();
        QCOMPARE(QGuiApplication::screens().size(), 2);
    }

    void roundingRules()
    {
        QCOMPARE(roundHalfEven(2.5), 2);
        QCOMPARE(roundHalfEven(3.5), 4);
        QCOMPARE(roundHalfEven(-2.5), -2);
        QCOMPARE(roundHalfEven(75.7183), 76);
        QCOMPARE(pointsToPixels(76), 101);
        QCOMPARE(pointsToPixels(40), 53);
        QCOMPARE(pointsToPixels(14), 19);
        QCOMPARE(ScaleRect(QRect(4, 56, 50, 89), 1920.0 / 355), QRect(22, 303, 270, 481));
    }

    void layoutOfFullHd()
    {
        const double s = monitor2Scale(1920);
        QVERIFY(qAbs(s - 5.40845) < 1e-5);
        const Monitor2Layout layout = layoutDisplay(QSize(1920, 1080), s);
        QCOMPARE(layout.captionPointSize, 76);
        QCOMPARE(layout.captionPixelSize, 101);
        QCOMPARE(layout.panelLab1, QRect(0, 116, 1920, 101));
        QCOMPARE(layout.panelLab2, QRect(0, 599, 1920, 101));
        QCOMPARE(layout.panelTitle, QRect(0, 0, 1920, 116));
        QCOMPARE(layout.digitHeight, 330);
        QCOMPARE(layout.upperRowTop, 217);
        QCOMPARE(layout.lowerRowTop, 700);
        QCOMPARE(layout.digits.size(), 10);
        for (const PlacedDigit &digit : layout.digits) {
            QCOMPARE(digit.thickness, 27);
            QCOMPARE(digit.rect.height(), 330);
            QVERIFY2(digit.rect.top() == 217 || digit.rect.top() == 700, qPrintable(digit.name));
        }
        const PlacedDigit digit4 = placedDigit(layout, QStringLiteral("Digit4"));
        QCOMPARE(digit4.rect, QRect(22, 217, 270, 330));
        QCOMPARE(placedDigit(layout, QStringLiteral("Digit1")).rect.top(), 700);
        const PlacedSeparator labMin = placedSeparator(layout, QStringLiteral("LabMin"));
        QCOMPARE(labMin.rect.height(), 438);
        QCOMPARE(labMin.rect.top(), 228);
        QCOMPARE(labMin.fontPointSize, 260);
        QCOMPARE(placedSeparator(layout, QStringLiteral("LabSec")).rect.top(), 228);
        QCOMPARE(placedSeparator(layout, QStringLiteral("LabSec2")).rect.top(), 700 + 228 - 217);
    }

    void layoutOfXga()
    {
        const double s = monitor2Scale(1024);
        QVERIFY(qAbs(s - 2.88451) < 1e-5);
        const Monitor2Layout layout = layoutDisplay(QSize(1024, 768), s);
        QCOMPARE(layout.captionPointSize, 40);
        QCOMPARE(layout.captionPixelSize, 53);
        QCOMPARE(layout.panelTitle.height(), 61);
        QCOMPARE(layout.digitHeight, 274);
        QCOMPARE(layout.upperRowTop, 114);
        QCOMPARE(layout.lowerRowTop, 468);
        QCOMPARE(layout.panelLab2.top(), 468 - 53);
        for (const PlacedDigit &digit : layout.digits)
            QCOMPARE(digit.thickness, 14);
        // Half a caption height stays free under the lower row.
        QCOMPARE(768 - (layout.lowerRowTop + layout.digitHeight), 53 / 2);
    }

    void placesItselfOnTheChosenMonitor()
    {
        TFormMonitor2 window(QStringLiteral("Hallenmeisterschaft"), 1);
        QCOMPARE(window.windowTitle(), QStringLiteral("Monitor 2"));
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window.cursor().shape(), Qt::BlankCursor);
        QCOMPARE(label(window, "PanelTitle")->text(), QStringLiteral("Hallenmeisterschaft"));
        QCOMPARE(label(window, "LabelTime2")->text(), QStringLiteral(" Zwischenzeit:"));
        for (const char *name : {"PanelLab1", "PanelLab2", "LabStart1", "LabNext1", "LabMin",
                                 "LabSec", "LabSec2", "Digit0", "Digit10"})
            QVERIFY2(window.findChild<QWidget *>(QLatin1String(name)), name);

        // Laid out at creation, before it is ever shown.
        QCOMPARE(window.geometry(), kProjector);
        QCOMPARE(digit(window, "Digit4")->geometry().top(), 114);
        QCOMPARE(digit(window, "Digit4")->thickness(), 14);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.geometry(), kProjector);

        // The settings dialog's "OK" moves a shown window at once.
        window.setMonitor(0);
        window.PlaceOnMonitor();
        QCOMPARE(window.geometry(), kHall);
        QCOMPARE(window.scale(), 1920.0 / 355);
        QCOMPARE(digit(window, "Digit4")->geometry(), QRect(22, 217, 270, 330));
        QCOMPARE(digit(window, "Digit4")->thickness(), 27);
        QCOMPARE(window.findChild<QWidget *>(QStringLiteral("PanelLab2"))->geometry(),
                 QRect(0, 599, 1920, 101));
        QCOMPARE(label(window, "LabMin")->geometry(), QRect(325, 228, 86, 438));
        QCOMPARE(label(window, "LabelTime2")->font().pixelSize(), 101);

        // A resize keeps the scale and stretches the rows to the new height.
        window.resize(1920, 1000);
        QCOMPARE(digit(window, "Digit4")->geometry(), QRect(22, 217, 270, 290));
    }

    void startNumbersWrittenWhileHiddenShowNextTime()
    {
        TFormMonitor2 window(QStringLiteral("* * *"), 0);
        window.setStartNumbers(17, 18);
        window.setStartNumber(18);
        window.setNextNumber(19);
        QVERIFY(!window.isVisible());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(label(window, "LabStart1")->text(), QStringLiteral(" Start-Nr.:18"));
        QCOMPARE(label(window, "LabNext1")->text(), QStringLiteral("Bereit: 19 "));
        QVERIFY(label(window, "LabStart1")->isVisible());
        QVERIFY(label(window, "LabNext1")->isVisible());
        // Both labels fit side by side in their panel, the next number at its right edge.
        const QRect next = label(window, "LabNext1")->geometry();
        QCOMPARE(next.right(), window.width() - 1);
        QVERIFY(label(window, "LabStart1")->geometry().right() < next.left());
    }

    // Escape closes the display where it hides the main window; on a monitor
    // of its own the operator closes it from the main window.
    void escapeClosesWhereItCoversTheMainWindow_data()
    {
        QTest::addColumn<int>("monitor");
        QTest::addColumn<QPoint>("mainWindowAt");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("staysShown");
        const QPoint onHall(100, 100);
        const QPoint onProjector(2000, 100);
        QTest::newRow("monitor 0 over the main window")
            << 0 << onHall << int(Qt::Key_Escape) << false;
        QTest::newRow("monitor 1 beside the main window")
            << 1 << onHall << int(Qt::Key_Escape) << true;
        QTest::newRow("unplugged monitor falls back over the main window")
            << 3 << onHall << int(Qt::Key_Escape) << false;
        QTest::newRow("monitor 1 over the main window")
            << 1 << onProjector << int(Qt::Key_Escape) << false;
        QTest::newRow("monitor 0 beside the main window")
            << 0 << onProjector << int(Qt::Key_Escape) << false;
        QTest::newRow("other key over the main window") << 0 << onHall << int(Qt::Key_A) << true;
    }

    void escapeClosesWhereItCoversTheMainWindow()
    {
        QFETCH(int, monitor);
        QFETCH(QPoint, mainWindowAt);
        QFETCH(int, key);
        QFETCH(bool, staysShown);
        QWidget mainWindow;
        mainWindow.setGeometry(QRect(mainWindowAt, QSize(800, 590)));
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        auto *window = new TFormMonitor2(QStringLiteral("* * *"), monitor, &mainWindow);
        QSignalSpy visibility(window, &TFormMonitor2::visibilityChanged);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(visibility.size(), 1);
        QCOMPARE(visibility.at(0).at(0).toBool(), true);

        QTest::keyClick(window, Qt::Key(key));
        QCOMPARE(window->isVisible(), staysShown);
        QCOMPARE(visibility.size(), staysShown ? 1 : 2);
        if (!staysShown) {
            QCOMPARE(visibility.at(1).at(0).toBool(), false);
            // Hidden, not destroyed: it shows again.
            window->show();
            QCOMPARE(visibility.size(), 3);
            QCOMPARE(visibility.at(2).at(0).toBool(), true);
        }
    }

    void mirrorsDigitsAndColours()
    {
        TFormMonitor2 window(QStringLiteral("* * *"), 0);
        const QColor active = toQColor(kActiveDigitColor);
        const QColor dim = toQColor(kDimDigitColor);
        QCOMPARE(fontColor(window, "LabMin"), dim);
        QCOMPARE(digit(window, "Digit1")->colorOn(), kDimDigitColor);

        window.showDigits(digitsForTime(DisplayRow::Upper, 62340), kActiveDigitColor);
        window.showDigits(digitsForTime(DisplayRow::Lower, 62340), kActiveDigitColor);
        const std::pair<const char *, int> values[] = {
            {"Digit4", 1}, {"Digit5", 0}, {"Digit6", 2}, {"Digit7", 3}, {"Digit8", 4},
            {"Digit1", 0}, {"Digit2", 6}, {"Digit3", 2}, {"Digit0", 3}, {"Digit10", 4}};
        for (const auto &[name, value] : values)
            QCOMPARE(digit(window, name)->value(), value);
        QCOMPARE(digit(window, "Digit4")->colorOn(), kActiveDigitColor);
        QCOMPARE(digit(window, "Digit5")->colorOn(), kActiveDigitColor);
        QCOMPARE(fontColor(window, "LabMin"), active);
        QCOMPARE(digit(window, "Digit1")->colorOn(), kDimDigitColor);
        QCOMPARE(digit(window, "Digit2")->colorOn(), kActiveDigitColor);

        window.showDigits(digitsForTime(DisplayRow::Upper, 0), kActiveDigitColor);
        QCOMPARE(digit(window, "Digit4")->colorOn(), kDimDigitColor);
        QCOMPARE(digit(window, "Digit5")->colorOn(), kDimDigitColor);
        QCOMPARE(fontColor(window, "LabMin"), dim);

        // The reset lights the seconds, the hundredths and their comma again.
        for (const char *name : {"Digit6", "Digit7", "Digit8"})
            digit(window, name)->setColorOn(clRed);
        setFontColor(*label(window, "LabSec"), clRed);
        window.resetColors(kActiveDigitColor);
        for (const char *name : {"Digit6", "Digit7", "Digit8"})
            QCOMPARE(digit(window, name)->colorOn(), kActiveDigitColor);
        QCOMPARE(fontColor(window, "LabSec"), active);

        window.setTime2Caption(QStringLiteral(" Zwischenzeit: 10 m"));
        QCOMPARE(label(window, "LabelTime2")->text(), QStringLiteral(" Zwischenzeit: 10 m"));
    }

    void mainWindowShortcutsActWhileFocused()
    {
        QWidget mainWindow;
        mainWindow.resize(800, 590);
        auto *monitor = new TFormMonitor2(QStringLiteral("* * *"), 0, &mainWindow);
        auto *start = new QAction(&mainWindow);
        start->setShortcut(Qt::Key_F5);
        start->setShortcutContext(Qt::ApplicationShortcut);
        mainWindow.addAction(start);
        auto *mode = new QAction(&mainWindow);
        mode->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
        mode->setShortcutContext(Qt::ApplicationShortcut);
        mainWindow.addAction(mode);
        connect(mode, &QAction::triggered, monitor, [monitor] {
            if (monitor->isVisible())
                monitor->close();
            else
                monitor->show();
        });
        QSignalSpy started(start, &QAction::triggered);

        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        QTest::keyClick(&mainWindow, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(monitor->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(monitor));
        QTRY_COMPARE(QApplication::activeWindow(), monitor);

        QTest::keyClick(monitor, Qt::Key_F5);
        QCOMPARE(started.size(), 1);
        QTest::keyClick(monitor, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!monitor->isVisible());
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(kScreens) < 0)
        return 1;
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestFMonitor2 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_FMonitor2.moc"
