#include "platform/UserStore.h"
#include "settings/FileFilters.h"
#include "settings/ProgramTitle.h"
#include "settings/Settings.h"
#include "settings/WindowBounds.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Settings)

namespace QTest {
template <> char *toString(const Settings &s)
{
    const auto pos = [](const std::optional<qint32> &v) {
        return v ? QString::number(*v) : u"-"_s;
    };
    QString text;
    QDebug(&text).nospace().noquote()
        << pos(s.Left) << ',' << pos(s.Top) << ' ' << s.Width << 'x' << s.Height << " Sound "
        << s.Sound << " Port " << int{s.Port} << " Alg " << s.Alg << " FilterInd " << s.FilterInd
        << " Length " << s.Length << " Monitor " << s.Monitor << " Title " << s.Title << ' '
        << s.Length2 << '/' << s.Length3 << '/' << s.Length4 << " WaitStart " << s.WaitStart
        << " PortId " << s.PortId;
    return qstrdup(qPrintable(text));
}
} // namespace QTest

namespace {

// A complete stored set, every value off its default, in reading order.
const QList<std::pair<QByteArray, QByteArray>> kStoredLines{
    {"Left", "120"},      {"Top", "-8"},
    {"Width", "1024"},    {"Height", "700"},
    {"Sound", "0"},       {"Port", "3"},
    {"Alg", "1"},         {"FilterInd", "4"},
    {"Length", "60"},     {"Monitor", "1"},
    {"Title", "Halle"},   {"Length2", "10"},
    {"Length3", "20"},    {"Length4", "40"},
    {"WaitStart", "500"}, {"PortId", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"},
};

Settings storedSet()
{
    Settings s;
    s.Left = 120;
    s.Top = -8;
    s.Width = 1024;
    s.Height = 700;
    s.Sound = false;
    s.Port = 3;
    s.Alg = 1;
    s.FilterInd = 4;
    s.Length = 60;
    s.Monitor = 1;
    s.Title = u"Halle"_s;
    s.Length2 = 10;
    s.Length3 = 20;
    s.Length4 = 40;
    s.WaitStart = 500;
    s.PortId = u"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"_s;
    return s;
}

// Defaults, with storedSet()'s values for everything read before `name`.
Settings restoredBefore(const QByteArray &name)
{
    const Settings from = storedSet();
    const QList<std::pair<QByteArray, std::function<void(Settings &)>>> order{
        {"Left", [&](Settings &s) { s.Left = from.Left; }},
        {"Top", [&](Settings &s) { s.Top = from.Top; }},
        {"Width", [&](Settings &s) { s.Width = from.Width; }},
        {"Height", [&](Settings &s) { s.Height = from.Height; }},
        {"Sound", [&](Settings &s) { s.Sound = from.Sound; }},
        {"Port", [&](Settings &s) { s.Port = from.Port; }},
        {"Alg", [&](Settings &s) { s.Alg = from.Alg; }},
        {"FilterInd", [&](Settings &s) { s.FilterInd = from.FilterInd; }},
        {"Length", [&](Settings &s) { s.Length = from.Length; }},
        {"Monitor", [&](Settings &s) { s.Monitor = from.Monitor; }},
        {"Title", [&](Settings &s) { s.Title = from.Title; }},
        {"Length2", [&](Settings &s) { s.Length2 = from.Length2; }},
        {"Length3", [&](Settings &s) { s.Length3 = from.Length3; }},
        {"Length4", [&](Settings &s) { s.Length4 = from.Length4; }},
        {"WaitStart", [&](Settings &s) { s.WaitStart = from.WaitStart; }},
        {"PortId", [&](Settings &s) { s.PortId = from.PortId; }},
    };
    Settings s;
    for (const auto &[value, restore] : order) {
        if (value == name)
            break;
        restore(s);
    }
    return s;
}

// The stored set as INI lines, with `changes` replacing values (an empty
// replacement drops the line).
QByteArray storedIni(const QList<std::pair<QByteArray, QByteArray>> &changes = {})
{
    QByteArray ini = "[General]\n";
    for (auto [name, value] : kStoredLines) {
        for (const auto &[changed, replacement] : changes) {
            if (changed == name)
                value = replacement;
        }
        if (!value.isEmpty())
            ini += name + '=' + value + '\n';
    }
    return ini;
}

constexpr qsizetype kTwoScreens = 2;

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

public:
    explicit TestSettings(QString configHome)
        : m_configHome(std::move(configHome))
    {
    }

private:
    platform::UserStore store(const QString &title = u"Tavrin"_s) const
    {
        return platform::UserStore::inFolder(m_dir->path(), u"Korvel"_s, title);
    }

    platform::UserStore storeHolding(const QByteArray &ini) const
    {
        const QString file = store().location();
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(ini) != ini.size())
            qFatal("cannot write the test store");
        f.close();
        return store();
    }

    QString m_configHome;
    std::unique_ptr<QTemporaryDir> m_dir;

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void firstStartKeepsDefaultsAndCreatesNothing()
    {
        const platform::UserStore empty = store();
        const Settings s = loadSettings(empty, 1);
        QCOMPARE(s, Settings{});
        QVERIFY(!s.Left && !s.Top);
        QCOMPARE(QSize(s.Width, s.Height), QSize(800, 590));
        QVERIFY(s.Sound);
        QCOMPARE(s.Port, 0);
        QCOMPARE(s.Alg, 0);
        QCOMPARE(s.FilterInd, 1);
        QCOMPARE(s.Length, 30);
        QCOMPARE(s.Monitor, 0);
        QCOMPARE(s.Title, u"* * *"_s);
        QCOMPARE(s.Length2, 5);
        QCOMPARE(s.Length3, 10);
        QCOMPARE(s.Length4, 15);
        QCOMPARE(s.WaitStart, 200);
        QVERIFY(!QFile::exists(empty.location()));
    }

    void completeSetLoads()
    {
        QCOMPARE(loadSettings(storeHolding(storedIni()), kTwoScreens), storedSet());
    }

    void loadingStopsAtFirstFailure_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<Settings>("expected");

        QTest::newRow("Length2 missing")
            << storedIni({{"Length2", ""}}) << restoredBefore("Length2");
        QTest::newRow("older key ending at Title")
            << storedIni({{"Length2", ""}, {"Length3", ""}, {"Length4", ""}, {"WaitStart", ""}})
            << restoredBefore("Length2");
        QTest::newRow("Width as text")
            << storedIni({{"Width", "breit"}}) << restoredBefore("Width");
        QTest::newRow("Width empty") << storedIni({{"Width", "\"\""}}) << restoredBefore("Width");
        QTest::newRow("Sound as other word")
            << storedIni({{"Sound", "ja"}}) << restoredBefore("Sound");
        QTest::newRow("Port as rectangle")
            << storedIni({{"Port", "@Rect(0 0 1 1)"}}) << restoredBefore("Port");
        QTest::newRow("WaitStart beyond 32 bits")
            << storedIni({{"WaitStart", "4294967296"}}) << restoredBefore("WaitStart");
        QTest::newRow("Title as bytes")
            << storedIni({{"Title", "@ByteArray(Halle)"}}) << restoredBefore("Title");
        QTest::newRow("Title as typed integer")
            << storedIni({{"Title", "@Variant(\\0\\0\\0\\x2\\0\\0\\0*)"}})
            << restoredBefore("Title");
        QTest::newRow("Left missing") << storedIni({{"Left", ""}}) << Settings{};

        Settings wrapped = storedSet();
        wrapped.Left = -1;
        QTest::newRow("DWORD above 2^31 reads signed")
            << storedIni({{"Left", "4294967295"}}) << wrapped;
        Settings titleMissing = storedSet();
        titleMissing.Title.clear();
        QTest::newRow("Title missing reads empty and goes on")
            << storedIni({{"Title", ""}}) << titleMissing;
        // Written after every older value: an older key loads whole.
        QTest::newRow("older key without PortId")
            << storedIni({{"PortId", ""}}) << restoredBefore("PortId");
    }

    void loadingStopsAtFirstFailure()
    {
        QFETCH(QByteArray, ini);
        QFETCH(Settings, expected);
        QCOMPARE(loadSettings(storeHolding(ini), kTwoScreens), expected);
    }

    void titleIsText_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("title");
        QTest::newRow("quoted comma") << QByteArray("\"Sprint, Halle\"") << u"Sprint, Halle"_s;
        QTest::newRow("hand-typed comma") << QByteArray("Sprint, Halle") << u"Sprint, Halle"_s;
        QTest::newRow("number") << QByteArray("2026") << u"2026"_s;
        QTest::newRow("empty") << QByteArray("\"\"") << QString();
        QTest::newRow("escaped @") << QByteArray("@@Home") << u"@Home"_s;
        QTest::newRow("umlaut") << QByteArray("Sportfest M\xc3\xbcnchen") << u"Sportfest München"_s;
    }

    void titleIsText()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, title);
        const Settings s = loadSettings(storeHolding(storedIni({{"Title", stored}})), kTwoScreens);
        QCOMPARE(s.Title, title);
        QCOMPARE(s.WaitStart, storedSet().WaitStart);
    }

    // A value the program cannot use is clamped or replaced by its default;
    // everything after it is still read.
    void rulesAfterLoading_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<qsizetype>("screens");
        QTest::addColumn<Settings>("expected");
        const auto row = [](const char *title, const char *name, const char *stored,
                            qsizetype screens, const std::function<void(Settings &)> &change) {
            Settings expected = storedSet();
            change(expected);
            QTest::newRow(title) << QByteArray(name) << QByteArray(stored) << screens << expected;
        };

        row("Monitor 2 of two", "Monitor", "2", kTwoScreens, [](Settings &s) { s.Monitor = 0; });
        row("Monitor 1 of two", "Monitor", "1", kTwoScreens, [](Settings &s) { s.Monitor = 1; });
        row("Monitor 1 of one", "Monitor", "1", 1, [](Settings &s) { s.Monitor = 0; });
        row("Monitor -1", "Monitor", "-1", kTwoScreens, [](Settings &s) { s.Monitor = 0; });
        row("Port 260", "Port", "260", kTwoScreens, [](Settings &s) { s.Port = 4; });
        row("Port 255", "Port", "255", kTwoScreens, [](Settings &s) { s.Port = 255; });
        row("Port -1", "Port", "-1", kTwoScreens, [](Settings &s) { s.Port = 255; });
        row("Alg 0", "Alg", "0", kTwoScreens, [](Settings &s) { s.Alg = 0; });
        row("Alg 2 has no entry", "Alg", "2", kTwoScreens, [](Settings &s) { s.Alg = 0; });
        row("Alg 7", "Alg", "7", kTwoScreens, [](Settings &s) { s.Alg = 0; });
        row("Alg -1", "Alg", "-1", kTwoScreens, [](Settings &s) { s.Alg = 0; });
        row("Sound true", "Sound", "true", kTwoScreens, [](Settings &s) { s.Sound = true; });
        row("Sound false", "Sound", "false", kTwoScreens, [](Settings &s) { s.Sound = false; });
        row("Sound 2", "Sound", "2", kTwoScreens, [](Settings &s) { s.Sound = true; });
        row("Length 0", "Length", "0", kTwoScreens, [](Settings &s) { s.Length = 30; });
        row("Length below range", "Length", "3", kTwoScreens, [](Settings &s) { s.Length = 5; });
        row("Length above range", "Length", "100001", kTwoScreens,
            [](Settings &s) { s.Length = 100000; });
        row("Length2 0", "Length2", "0", kTwoScreens, [](Settings &s) { s.Length2 = 1; });
        row("Length3 above range", "Length3", "1001", kTwoScreens,
            [](Settings &s) { s.Length3 = 1000; });
        row("Length4 1", "Length4", "1", kTwoScreens, [](Settings &s) { s.Length4 = 2; });
        row("Length4 1000", "Length4", "1000", kTwoScreens, [](Settings &s) { s.Length4 = 1000; });
        row("WaitStart negative", "WaitStart", "-5", kTwoScreens,
            [](Settings &s) { s.WaitStart = 0; });
        row("WaitStart above 600 s", "WaitStart", "600001", kTwoScreens,
            [](Settings &s) { s.WaitStart = 600000; });
    }

    void rulesAfterLoading()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, stored);
        QFETCH(qsizetype, screens);
        QFETCH(Settings, expected);
        QCOMPARE(loadSettings(storeHolding(storedIni({{name, stored}})), screens), expected);
    }

    void saveLoadRoundTrip()
    {
        Settings s = storedSet();
        s.Left = -1280;
        s.Port = 200;
        s.Title = u" Sprint, \"Halle\" @; #ä\\ "_s;
        s.Length = 100000;
        s.WaitStart = 600000;
        platform::UserStore out = store();
        QVERIFY(saveSettings(out, s));
        QCOMPARE(loadSettings(store(), kTwoScreens), s);

        Settings defaults;
        defaults.Left = 0;
        defaults.Top = 0;
        QVERIFY(saveSettings(out, defaults));
        QCOMPARE(loadSettings(store(), 1), defaults);
    }

    void saveWritesEveryValueAsNumberOrText()
    {
        platform::UserStore out = store();
        QVERIFY(saveSettings(out, Settings{}));
        QFile f(out.location());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = f.readAll().split('\n');
        lines.removeAll(QByteArray());
        std::sort(lines.begin(), lines.end());
        // Sorted by bytes: "Length2" comes before "Length=".
        const QList<QByteArray> expected{
            "Alg=0",       "FilterInd=1", "Height=590",    "Left=0",    "Length2=5", "Length3=10",
            "Length4=15",  "Length=30",   "Monitor=0",     "Port=0",    "PortId=",   "Sound=1",
            "Title=* * *", "Top=0",       "WaitStart=200", "Width=800", "[General]"};
        QCOMPARE(lines, expected);
    }

    void saveFailureIsReported()
    {
        // A file where the organisation's folder belongs makes the key impossible to create.
        QFile blocker(m_dir->filePath(u"Korvel"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        platform::UserStore out = store();
        QVERIFY(!saveSettings(out, storedSet()));
    }

    void otherTitleKeepsOwnStore()
    {
        platform::UserStore tavrin = store(u"Tavrin"_s);
        QVERIFY(saveSettings(tavrin, storedSet()));

        platform::UserStore renamed = store(u"Sprint"_s);
        Settings s = loadSettings(renamed, kTwoScreens);
        QCOMPARE(s, Settings{});
        s.Port = 7;
        QVERIFY(saveSettings(renamed, s));

        QVERIFY(renamed.location() != tavrin.location());
        QVERIFY(QFile::exists(renamed.location()));
        QCOMPARE(loadSettings(store(u"Sprint"_s), kTwoScreens).Port, 7);
        QCOMPARE(loadSettings(store(u"Tavrin"_s), kTwoScreens), storedSet());
    }

    void nativeStoreLivesInUserConfigFolder()
    {
#ifdef Q_OS_WIN
        QSKIP("the native store is the registry here");
#endif
        const QString title = u"TavrinTest"_s;
        platform::UserStore native = openSettingsStore(title);
        QCOMPARE(native.location(), QDir(m_configHome).filePath(u"Korvel/TavrinTest.conf"_s));
        QVERIFY(saveSettings(native, storedSet()));
        QCOMPARE(loadSettings(openSettingsStore(title), kTwoScreens), storedSet());

        // An organisation-wide file does not stand in for a program's missing key.
        QFile shared(QDir(m_configHome).filePath(u"Korvel.conf"_s));
        QVERIFY(shared.open(QIODevice::WriteOnly));
        shared.write(storedIni());
        shared.close();
        QCOMPARE(loadSettings(openSettingsStore(u"TavrinNeu"_s), kTwoScreens), Settings{});
    }

    void programTitleIsFileNameWithoutExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("windows") << u"C:/Sport/Tavrin.exe"_s << u"Tavrin"_s;
        QTest::newRow("linux") << u"/opt/tavrin/bin/Tavrin"_s << u"Tavrin"_s;
        QTest::newRow("renamed") << u"/home/coach/Sprint Halle.exe"_s << u"Sprint Halle"_s;
        QTest::newRow("last extension only") << u"/opt/Tavrin.2.exe"_s << u"Tavrin.2"_s;
    }

    void programTitleIsFileNameWithoutExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(programTitle(path), title);
    }

    void fileFiltersFollowSpreadsheetPresence()
    {
        const DocumentTypeLabels builtIn;
        QCOMPARE(nameFilters(openFilters(builtIn, true)),
                 QStringList({u"Textdatei (*.txt)"_s, u"MS Excel (*.xlsx)"_s}));
        const FileFilters save = saveFilters(builtIn, true);
        QCOMPARE(nameFilters(save), QStringList({u"Textdatei (*.txt)"_s, u"MS Excel (*.xlsx)"_s,
                                                 u"MS Word (*.docx)"_s, u"Webseite (*.html)"_s}));
        QCOMPARE(kindAt(save, 1), FileKind::Text);
        QCOMPARE(kindAt(save, 2), FileKind::Spreadsheet);
        QCOMPARE(kindAt(save, 3), FileKind::Document);
        QCOMPARE(kindAt(save, 4), FileKind::WebPage);

        QCOMPARE(nameFilters(openFilters(builtIn, false)), QStringList({u"Textdatei (*.txt)"_s}));
        const FileFilters without = saveFilters(builtIn, false);
        QCOMPARE(nameFilters(without), QStringList({u"Textdatei (*.txt)"_s, u"MS Word (*.docx)"_s,
                                                    u"Webseite (*.html)"_s}));
        QCOMPARE(kindAt(without, 2), FileKind::Document);
        QCOMPARE(kindAt(without, 3), FileKind::WebPage);
        QCOMPARE(kindAt(without, 4), std::nullopt);
        QCOMPARE(kindAt(without, 0), std::nullopt);

        DocumentTypeLabels known;
        known.web = u"HTML-Dokument"_s;
        QCOMPARE(nameFilters(saveFilters(known, false)).constLast(), u"HTML-Dokument (*.html)"_s);
    }

    void labelsComeFromPlatformInItsLanguage()
    {
        if (!QMimeDatabase().mimeTypeForName(u"text/html"_s).isValid())
            QSKIP("no MIME database on this machine");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const DocumentTypeLabels german = lookUpDocumentTypeLabels();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const DocumentTypeLabels english = lookUpDocumentTypeLabels();
        QLocale::setDefault(QLocale::c());

        const DocumentTypeLabels builtIn;
        QVERIFY(!german.web.isEmpty() && german.web != builtIn.web);
        QVERIFY(german.web != english.web);
        QVERIFY(!german.text.isEmpty() && german.text != builtIn.text);
        QVERIFY(!german.document.isEmpty());
        QCOMPARE(german.spreadsheet, builtIn.spreadsheet);
    }

    void offScreenWindowMovesToPrimary_data()
    {
        QTest::addColumn<QPoint>("stored");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("placed");

        const QSize normal(800, 590);
        // Primary 1920 x 1040 below a 40-pixel panel; second screen right of it.
        const QPoint centred(560, 40 + 225);
        QTest::newRow("on primary") << QPoint(100, 100) << normal << QPoint(100, 100);
        QTest::newRow("on second screen") << QPoint(2000, 50) << normal << QPoint(2000, 50);
        QTest::newRow("across both") << QPoint(1500, 300) << normal << QPoint(1500, 300);
        QTest::newRow("maximised frame") << QPoint(-8, 32) << normal << QPoint(-8, 32);
        QTest::newRow("title bar half on screen") << QPoint(100, 30) << normal << QPoint(100, 30);
        QTest::newRow("partly off the left") << QPoint(-700, 200) << normal << QPoint(-700, 200);
        QTest::newRow("monitor removed") << QPoint(3500, 100) << normal << centred;
        QTest::newRow("only a rim right") << QPoint(3190, 100) << normal << centred;
        QTest::newRow("title bar above screens") << QPoint(100, -400) << normal << centred;
        QTest::newRow("title bar mostly under panel") << QPoint(100, 28) << normal << centred;
        QTest::newRow("larger than primary")
            << QPoint(-5000, -5000) << QSize(2500, 1500) << QPoint(0, 40);
        // Whatever a settings file holds: the arithmetic must not overflow.
        constexpr int lowest = std::numeric_limits<int>::min();
        constexpr int highest = std::numeric_limits<int>::max();
        QTest::newRow("highest left") << QPoint(highest, 100) << normal << centred;
        QTest::newRow("highest top") << QPoint(100, highest) << normal << centred;
        QTest::newRow("lowest left") << QPoint(lowest, 100) << normal << centred;
        QTest::newRow("lowest top") << QPoint(100, lowest) << normal << centred;
        QTest::newRow("highest both") << QPoint(highest, highest) << normal << centred;
        QTest::newRow("lowest both") << QPoint(lowest, lowest) << normal << centred;
    }

    void offScreenWindowMovesToPrimary()
    {
        QFETCH(QPoint, stored);
        QFETCH(QSize, size);
        QFETCH(QPoint, placed);
        const QRect primary(0, 40, 1920, 1040);
        const ScreenAreas areas{{primary, QRect(1920, 0, 1280, 1024)}, primary};
        QCOMPARE(windowPosition(stored, size, areas), placed);
        QCOMPARE(windowPosition(stored, size, ScreenAreas{}), stored);
    }

    void windowSizeFitsTheScreens_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("used");
        // Screens as in offScreenWindowMovesToPrimary: together 3200 x 1080.
        QTest::newRow("normal") << QSize(1024, 700) << QSize(1024, 700);
        QTest::newRow("below the minimum") << QSize(300, 200) << QSize(800, 590);
        QTest::newRow("negative") << QSize(-5, -5) << QSize(800, 590);
        QTest::newRow("across both screens") << QSize(3000, 900) << QSize(3000, 900);
        QTest::newRow("huge") << QSize(100000, 100000) << QSize(3200, 1080);
        QTest::newRow("largest integers") << QSize(INT_MAX, INT_MAX) << QSize(3200, 1080);
    }

    void windowSizeFitsTheScreens()
    {
        QFETCH(QSize, stored);
        QFETCH(QSize, used);
        const QRect primary(0, 40, 1920, 1040);
        const ScreenAreas areas{{primary, QRect(1920, 0, 1280, 1024)}, primary};
        const QSize minimum(800, 590);
        QCOMPARE(windowSize(stored, minimum, areas), used);
        // Without screens only the minimum holds.
        QCOMPARE(windowSize(stored, minimum, ScreenAreas{}), stored.expandedTo(minimum));
    }

    void windowBoundsApplyAndTakeBack()
    {
        QWidget first;
        first.setMinimumSize(800, 590);
        Settings small;
        small.Width = 300;
        applyWindowBounds(first, small);
        QVERIFY(!first.testAttribute(Qt::WA_Moved));
        QCOMPARE(first.size(), QSize(800, 590));

        const QRect screen = currentScreenAreas().primary;
        QVERIFY(!screen.isEmpty());
        Settings stored;
        stored.Left = screen.left() + 3;
        stored.Top = screen.top() + 4;
        stored.Width = 800;
        stored.Height = 595; // within the 800 x 600 test screen
        QWidget window;
        window.setMinimumSize(800, 590);
        applyWindowBounds(window, stored);
        Settings taken;
        takeWindowBounds(window, taken);
        QCOMPARE(taken, stored);

        stored.Left = screen.right() + 5000;
        applyWindowBounds(window, stored);
        QVERIFY(screen.contains(window.pos()));
    }
};

int main(int argc, char *argv[])
{
    // The native store lives in the user's config folder: point that at a
    // temporary one before anything reads it, so no run touches the real one.
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    QApplication app(argc, argv);
    TestSettings test(configHome.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Settings.moc"
